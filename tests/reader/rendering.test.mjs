// What reaches the document from untrusted Markdown and provenance, and how the page is
// allowed to load anything at all.
import assert from "node:assert/strict";
import { describe, test } from "node:test";

import { html, openPage, report, scriptNames } from "./page.mjs";

describe("the page itself", () => {
  test("its policy allows nothing remote, inline or framed", () => {
    const policy = /http-equiv="Content-Security-Policy" content="([^"]+)"/.exec(html)[1];
    const directives = new Map(
      policy.split(";").map((part) => {
        const [name, ...values] = part.trim().split(/\s+/);
        return [name, values.join(" ")];
      }),
    );
    assert.equal(directives.get("default-src"), "'none'");
    assert.equal(directives.get("script-src"), "'self'");
    assert.equal(directives.get("style-src"), "'self'");
    assert.equal(directives.get("img-src"), "vesk-resource:");
    for (const name of ["frame-src", "child-src", "object-src", "base-uri", "form-action", "connect-src"]) {
      assert.equal(directives.get(name), "'none'", name);
    }
    assert.doesNotMatch(policy, /unsafe|https?:|\*|data:/);
  });

  test("has no inline script or handler, and loads the renderer and sanitiser before its own code", () => {
    assert.doesNotMatch(html, /<script(?![^>]*\bsrc=)[^>]*>/);
    assert.doesNotMatch(html, /\son[a-z]+\s*=/i);
    assert.doesNotMatch(html, /style=/);
    assert.deepEqual(scriptNames, ["markdown-it.min.js", "purify.min.js", "reader.js"]);
  });

  test("counts each render, pads below the header, and survives any argument", () => {
    const page = openPage();
    page.show("# One", { topInset: 174 });
    assert.equal(page.document.body.dataset.rendered, "1");
    assert.equal(page.document.documentElement.style.getPropertyValue("--vesk-top-inset"), "174px");
    page.window.showReport(42, {}, "yes", "far", { url: "https://x" }, 1);
    assert.equal(page.document.body.dataset.rendered, "2");
    assert.equal(page.document.documentElement.style.getPropertyValue("--vesk-top-inset"), "0px");
    assert.ok(!page.document.body.classList.contains("is-follow-up"));
    assert.equal(page.report.querySelector("section.provenance"), null);
  });
});

describe("untrusted Markdown", () => {
  test("raw HTML, handlers and script links render inert", () => {
    const page = openPage();
    page.show(
      "<script>window.ran = 1</script>\n\n<img src=x onerror=\"window.ran = 2\">\n\n" +
        "[x](javascript:alert(1)) [y](JAVASCRIPT:alert(1)) <javascript:alert(1)> [z](vbscript:msgbox)\n\n" +
        "[a](data:text/html,<b>hi</b>) [b](file:///etc/passwd) [c](vesk-resource://evil/x) [d](/api/url-shot/run_1/0) " +
        "[e](relative/path) [f](//evil.example)\n\n" +
        "[ok](https://example.com/a?b=1) [mail](mailto:team@example.com) [top](#findings)",
    );
    const { report, window } = page;
    assert.equal(report.querySelector("script"), null);
    assert.equal(report.querySelectorAll("img").length, 0);
    assert.equal(window.ran, undefined);
    assert.match(report.textContent, /<script>window\.ran = 1<\/script>/);
    assert.match(report.textContent, /<img src=x onerror=/);
    for (const node of report.querySelectorAll("*")) {
      for (const attribute of node.attributes) assert.doesNotMatch(attribute.name, /^on/i);
    }
    const hrefs = [...report.querySelectorAll("[href]")].map((a) => a.getAttribute("href"));
    assert.deepEqual(hrefs, ["https://example.com/a?b=1", "mailto:team@example.com", "#findings"]);
    const inert = [...report.querySelectorAll(".inert-link")].map((span) => span.textContent);
    assert.deepEqual(inert, ["c", "d", "e", "f"]);
    // Targets the renderer refuses outright stay as the Markdown that was written.
    assert.match(report.textContent, /\[a\]\(data:text\/html,<b>hi<\/b>\) \[b\]\(file:\/\/\/etc\/passwd\)/);
  });

  test("only evidence images load, without their fragment; others show their caption", () => {
    const page = openPage();
    page.show(
      "![remote](https://evil.example/p.png) ![local](file:///etc/passwd.png) ![inline](data:image/png;base64,AAAA) " +
        "![service](/api/url-shot/run_1/0) ![other host](vesk-resource://evil/url-shot/0) " +
        "![too far](vesk-resource://report/url-shot/01)\n\n" +
        "![shot](vesk-resource://report/url-shot/3#vesk-box=1,2,30,40) ![file](vesk-resource://report/attachments/6)",
    );
    const images = [...page.report.querySelectorAll("img")];
    assert.deepEqual(
      images.map((img) => img.getAttribute("src")),
      ["vesk-resource://report/url-shot/3", "vesk-resource://report/attachments/6"],
    );
    assert.equal(images[0].getAttribute("data-box"), "1,2,30,40");
    assert.equal(images[1].hasAttribute("data-box"), false);
    const inert = [...page.report.querySelectorAll(".image-inert")].map((span) => span.textContent);
    assert.deepEqual(inert, ["remote", "inline", "service", "other host", "too far"]);
    assert.match(page.report.textContent, /!\[local\]\(file:\/\/\/etc\/passwd\.png\)/);
  });

  test("tables and strikethrough render, with alignment as classes", () => {
    const page = openPage();
    page.show("| a | b |\n|:-:|--:|\n| ~~old~~ | 2 |");
    assert.equal(page.report.querySelector("td s").textContent, "old");
    assert.equal(page.report.querySelector("th").className, "align-center");
    assert.equal(page.report.querySelector("[style]"), null);
  });
});

describe("discovery material", () => {
  test("becomes its own sections, never literal tags", () => {
    const page = openPage();
    page.show(report());
    assert.doesNotMatch(page.report.textContent, /<\/?discovery/);
    assert.doesNotMatch(page.report.innerHTML, /&lt;\/?discovery/);
    const sections = [...page.report.querySelectorAll("details")];
    assert.deepEqual(
      sections.map((details) => details.querySelector("summary").textContent),
      ["Discovery questions", "Your answers"],
    );
    assert.equal(sections[0].open, false);
    assert.deepEqual(
      [...sections[0].querySelectorAll(".is-chosen")].map((pill) => pill.textContent),
      ["Teams", "Buy"],
    );
    assert.match(sections[1].textContent, /What should they do\?Buy/);
    assert.equal(page.report.querySelector("article h1").textContent, "Atelier: full audit");
  });

  test("a block whose JSON is malformed is dropped, and stray tags vanish", () => {
    const page = openPage();
    page.show(
      "<discovery>\n{not json\n</discovery>\n\n<discovery-answers>\n[1,2]\n</discovery-answers>\n\n" +
        "# Report\n\nText with a stray </discovery> and <discovery-answers> tag.",
    );
    assert.equal(page.report.querySelector("details"), null);
    assert.doesNotMatch(page.report.textContent, /discovery|not json/);
    assert.match(page.report.textContent, /Text with a stray\s+and\s+tag\./);
  });

  test("question text with markup stays text", () => {
    const page = openPage();
    const hostile = { questions: [{ id: "q", question: "<img src=x onerror=alert(1)>", options: ["<b>bold</b>"] }] };
    page.show(`<discovery>${JSON.stringify(hostile)}</discovery>\n\n# R`);
    assert.equal(page.report.querySelector("details img, details b"), null);
    assert.match(page.report.querySelector("details").textContent, /<img src=x onerror=alert\(1\)><b>bold<\/b>/);
  });
});

describe("presentation", () => {
  test("a follow-up discussion gets its own heading style and eyebrow", () => {
    const page = openPage();
    page.show("# Follow-up on Atelier\n\n> Why?", { discussion: true });
    assert.ok(page.document.body.classList.contains("is-follow-up"));
    assert.equal(page.report.firstElementChild.textContent, "Follow-up");
    page.show("# Atelier", { discussion: false });
    assert.ok(!page.document.body.classList.contains("is-follow-up"));
    assert.equal(page.report.querySelector(".follow-up-eyebrow"), null);
  });

  test("provenance is text: markup in notes shows literally, only web addresses link", () => {
    const page = openPage();
    page.show("# R", {
      provenance: [
        { url: "https://example.com/pricing", source: "fetched", note: "<b>x</b>" },
        { url: "javascript:alert(1)", note: "<img src=x onerror=alert(1)>" },
        { url: "file:///etc/passwd", screenshotError: "<i>timeout</i>" },
        { url: 42 },
        "https://not-an-entry.example",
        null,
      ],
    });
    const section = page.report.querySelector("section.provenance");
    assert.equal(section.querySelector("b, i, img"), null);
    const entries = [...section.querySelectorAll("li")];
    assert.equal(entries.length, 3);
    assert.equal(entries[0].querySelector("a").getAttribute("href"), "https://example.com/pricing");
    assert.equal(entries[0].querySelector(".provenance-note").textContent, "<b>x</b>");
    assert.equal(entries[1].querySelector("a"), null);
    assert.equal(entries[1].querySelector(".provenance-url").textContent, "javascript:alert(1)");
    assert.equal(entries[2].querySelector("a"), null);
    assert.match(entries[2].textContent, /<i>timeout<\/i>/);
  });
});

describe("long reports", () => {
  // Resolves once the page marks the given showReport call as fully drawn.
  function rendered(page, number) {
    return new Promise((resolve) => {
      const done = () => page.document.body.dataset.rendered === String(number);
      if (done()) return resolve();
      const observer = new page.window.MutationObserver(() => {
        if (done()) {
          observer.disconnect();
          resolve();
        }
      });
      observer.observe(page.document.body, { attributes: true, attributeFilter: ["data-rendered"] });
    });
  }

  function longReport(findings) {
    let text = "# Long audit\n\n## Findings\n\n";
    for (let i = 1; i <= findings; i++) {
      text += `### Finding ${i}\n\n${"A sentence about the page. ".repeat(20)}\n\n`;
      // Fenced code around where the first part ends must not be cut.
      if (i >= 18 && i <= 26) text += "```\n## not a heading\n### nor this\n```\n\n";
    }
    return text + "## Sources\n\n- The brief\n";
  }

  test("shows its beginning at once and the rest afterwards, whole and in order", async () => {
    const page = openPage();
    page.show(longReport(400), { runId: "run_abc", interactive: true });
    const first = page.report.querySelectorAll("section.finding").length;
    assert.ok(first > 0 && first < 400, `first pass drew ${first} findings`);
    assert.notEqual(page.document.body.dataset.rendered, "1");
    await rendered(page, 1);
    const findings = [...page.report.querySelectorAll("section.finding")];
    assert.deepEqual(
      findings.map((section) => section.dataset.finding),
      Array.from({ length: 400 }, (_, i) => `Finding ${i + 1}`),
    );
    const code = [...page.report.querySelectorAll("pre")].map((pre) => pre.textContent);
    assert.deepEqual(code, Array(9).fill("## not a heading\n### nor this\n"));
    assert.equal(findings[399].querySelectorAll('[data-action="refine-toggle"]').length, 1);
    assert.equal(page.report.querySelector("article").lastElementChild.textContent.trim(), "The brief");
  });

  test("keeps fenced code whole wherever the report is cut into parts", async () => {
    const page = openPage();
    let text = "# Long audit\n\n";
    for (let i = 1; i <= 300; i++) {
      text += `### Finding ${i}\n\n${"A sentence about the page. ".repeat(20)}\n\n`;
      // Only a run as long as the opening one, with nothing after it, closes a fence.
      text += "````\n```html\n## not a heading\n```\n### nor this\n````\n\n";
      text += "~~~\n```\n### still code\n~~~\n\n";
    }
    page.show(text);
    await rendered(page, 1);
    const findings = [...page.report.querySelectorAll("section.finding")];
    assert.deepEqual(
      findings.map((section) => section.dataset.finding),
      Array.from({ length: 300 }, (_, i) => `Finding ${i + 1}`),
    );
    const code = [...page.report.querySelectorAll("pre")].map((pre) => pre.textContent);
    assert.deepEqual(
      code,
      Array.from({ length: 300 }, () => ["```html\n## not a heading\n```\n### nor this\n", "```\n### still code\n"]).flat(),
    );
  });

  test("a newer report replaces one still being drawn", async () => {
    const page = openPage();
    page.show(longReport(400));
    page.show("# Short");
    await rendered(page, 2);
    await new Promise((resolve) => page.window.setTimeout(resolve, 0));
    assert.equal(page.report.querySelectorAll("section.finding").length, 0);
    assert.equal(page.report.textContent.trim(), "Short");
  });

  test("printing draws whatever is still waiting first", async () => {
    const page = openPage();
    page.show(longReport(400));
    await page.window.prepareVeskPrint();
    assert.equal(page.document.body.dataset.rendered, "1");
    assert.equal(page.report.querySelectorAll("section.finding").length, 400);
    page.window.finishVeskPrint();
  });
});
