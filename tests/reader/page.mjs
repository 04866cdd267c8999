// Opens the reader page in jsdom the way the web view does: reader.html's document with
// its scripts run in order (the vendor builds from resources/reader/node_modules, then
// reader.js), and a stand-in for the "veskReport" message handler that records every
// message the page posts.
import { existsSync, readFileSync } from "node:fs";
import { createRequire } from "node:module";
import path from "node:path";
import { fileURLToPath } from "node:url";

const here = path.dirname(fileURLToPath(import.meta.url));
export const readerDir = path.resolve(here, "../../resources/reader");
const modules = path.join(readerDir, "node_modules");
if (!existsSync(path.join(modules, "jsdom"))) {
  throw new Error(`${modules} lacks the reader page's packages: run scripts/setup`);
}
const { JSDOM } = createRequire(path.join(readerDir, "package.json"))("jsdom");

export const html = readFileSync(path.join(readerDir, "reader.html"), "utf8");

// The files behind the page's <script src> elements, in document order.
const vendor = {
  "markdown-it.min.js": path.join(modules, "markdown-it/dist/markdown-it.min.js"),
  "purify.min.js": path.join(modules, "dompurify/dist/purify.min.js"),
};
export const scriptNames = [...html.matchAll(/<script\b[^>]*\bsrc="([^"]+)"/g)].map((m) => m[1]);
const scripts = scriptNames.map((name) => readFileSync(vendor[name] ?? path.join(readerDir, name), "utf8"));

export function openPage({ bridge = true } = {}) {
  const dom = new JSDOM(html, { runScripts: "outside-only", url: "file:///app/reader/reader.html" });
  const { window } = dom;
  const posted = [];
  if (bridge) {
    window.webkit = {
      messageHandlers: { veskReport: { postMessage: (message) => posted.push(structuredClone(message)) } },
    };
  }
  for (const source of scripts) window.eval(source);
  const document = window.document;
  const report = document.getElementById("report");
  return {
    window,
    document,
    report,
    posted,
    // showReport with the application's defaults for whatever is not given.
    show(markdown, options = {}) {
      window.showReport(
        markdown,
        options.runId === undefined ? null : options.runId,
        options.interactive ?? false,
        options.topInset ?? 0,
        options.provenance ?? [],
        options.discussion ?? false,
      );
    },
    click(element) {
      element.dispatchEvent(new window.MouseEvent("click", { bubbles: true, cancelable: true }));
    },
    reply(id, status, body, mime = "application/json") {
      window.receiveVeskResponse({ id, status, body, mime });
    },
    requests() {
      return posted.filter((message) => message.type === "request");
    },
  };
}

export const discovery = {
  questions: [
    { id: "audience", question: "Who is it for?", options: ["First-time visitors", "Returning customers", "Teams"] },
    { id: "goal", question: "What should they do?", options: ["Sign up", "Buy", "Book a demo"] },
  ],
};

// A report as the service writes one: discovery material first, then the audit.
export function report({ answers = { audience: ["Teams"], goal: ["Buy"] } } = {}) {
  const blocks = [`<discovery>\n${JSON.stringify(discovery)}\n</discovery>\n\n`];
  if (answers) blocks.push(`<discovery-answers>\n${JSON.stringify({ answers })}\n</discovery-answers>\n\n`);
  return (
    blocks.join("") +
    "# Atelier: full audit\n\n*Run 2 · 2025-06-01 · example.com*\n\n## At a glance\n\n" +
    "| Perspective | Rating |\n|---|---:|\n| Clarity & copy | 3/5 |\n\n## Findings\n\n" +
    "### 1. The first screen does not say who it is for\n\n**Clarity & copy · High impact**\n\n" +
    "The opening leads with a mood line.\n\n" +
    "![The first screen of example.com](vesk-resource://report/url-shot/0#vesk-box=96,150,720,210)\n\n" +
    "**Do this:** Put the offer in the headline.\n\n" +
    "### 2. The main action competes with three others\n\nFour buttons of equal weight.\n\n" +
    "```\nbutton { weight: equal }\n```\n\n## Sources\n\n- <https://example.com> — read\n"
  );
}
