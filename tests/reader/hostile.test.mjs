// Reports that are deep, long or hostile: nothing the service sends may vanish, and no
// input may be handed to the parts of the renderer and layout whose time grows steeply
// with it (the times themselves are in the reader benchmark).
import assert from "node:assert/strict";
import { describe, test } from "node:test";

import { openPage } from "./page.mjs";

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

describe("deep nesting", () => {
  test("keeps the text of a block nested past the limit and everything after it", () => {
    const page = openPage();
    const cases = [
      ["a list 50 deep", "- ".repeat(50)],
      ["quotes 100 deep", "> ".repeat(100)],
      ["quote and list 34 deep", "> - ".repeat(34)],
      ["a list 50 deep over two lines", "- ".repeat(50) + "DEEP\n" + "  ".repeat(50) + "still"],
    ];
    for (const [name, prefix] of cases) {
      page.show(`# Report\n\n${prefix}DEEP\n\nAfter.\n\n## Next part\n\nThe rest.`);
      const text = page.report.textContent;
      for (const part of ["DEEP", "After.", "The rest."]) assert.ok(text.includes(part), `${name}: ${part}`);
      assert.equal(page.report.querySelector("h2").textContent, "Next part", name);
    }
    assert.match(page.report.textContent, /DEEP\s+still/);
  });
});

describe("link references in a long report", () => {
  test("resolve wherever the report is cut into parts", async () => {
    const page = openPage();
    // Definitions the parser finds but a line-start pattern does not: in a list item, in
    // a quote, with an escaped bracket, and with a label across two lines.
    const definitions =
      "## Links\n\n- [listed]: https://example.com/listed\n\n> [quoted]: https://example.com/quoted\n\n" +
      "[a\\]b]: https://example.com/escaped\n\n[two\nlines]: https://example.com/two\n";
    // The first definition of a label wins, wherever the parts are cut.
    let text = "# Long audit\n\n- [guide]: https://example.com/guide\n\n";
    for (let i = 1; i <= 120; i++) {
      text += `### Finding ${i}\n\n${"A sentence about the page. ".repeat(12)}`;
      text += "See [listed], [quoted], [a\\]b], [two lines] and [guide].\n\n";
    }
    page.show(text + definitions + "\n> [guide]: https://example.com/not-this-one\n");
    await rendered(page, 1);
    const findings = [...page.report.querySelectorAll("section.finding")];
    assert.equal(findings.length, 120);
    for (const finding of findings) {
      assert.deepEqual(
        [...finding.querySelectorAll("a[href]")].map((a) => a.getAttribute("href")),
        ["listed", "quoted", "escaped", "two", "guide"].map((name) => `https://example.com/${name}`),
        finding.dataset.finding,
      );
    }
    assert.doesNotMatch(page.report.textContent, /\[(listed|quoted|two lines)\]/);
  });
});

describe("overlong runs", () => {
  test("a run without white space past the link limit stays text, links around it still link", () => {
    const page = openPage();
    const long = "http://a.b/".repeat(400); // 4,400 characters
    const longest = "https://example.com/" + "p".repeat(2000);
    page.show(
      `See https://example.com/before and ${long} then https://example.com/after, ` +
        `mailto:team@example.com and ${longest}\n\n(${long})`,
    );
    const hrefs = [...page.report.querySelectorAll("a[href]")].map((a) => a.getAttribute("href"));
    const expected = ["https://example.com/before", "https://example.com/after", "mailto:team@example.com", longest];
    assert.deepEqual(hrefs, expected);
    const paragraphs = page.report.querySelectorAll("p");
    assert.ok(paragraphs[0].textContent.includes(` ${long} then`));
    assert.equal(paragraphs[1].textContent, `(${long})`);
  });

  test("a long word is laid out in blocks that hold all of its text", () => {
    const page = openPage();
    const word = "abcdefghij".repeat(1000);
    // A surrogate pair where a block would end.
    const emoji = "a".repeat(4095) + "\u{1F600}" + "b".repeat(5000);
    page.show(`Before ${word} after.\n\n**${emoji}**\n\n\`\`\`\n${word}\n\`\`\`\n\nshort words stay as they are`);
    const [first, second, last] = page.report.querySelectorAll("p");
    assert.equal(first.textContent, `Before ${word} after.`);
    const blocks = [...first.querySelectorAll(".long-run")];
    assert.equal(blocks.map((block) => block.textContent).join(""), word);
    assert.ok(blocks.every((block) => block.textContent.length <= 4096));
    const halves = [...second.querySelectorAll(".long-run")].map((block) => block.textContent);
    assert.equal(halves.join(""), emoji);
    for (const half of halves) assert.doesNotMatch(half, /[\ud800-\udbff]$|^[\udc00-\udfff]/);
    assert.equal(page.report.querySelector("pre").textContent, `${word}\n`);
    assert.equal(page.report.querySelector("pre .long-run"), null);
    assert.equal(last.querySelector(".long-run"), null);
  });

  test("past the bound on inline elements a block shows their text, never Markdown", () => {
    const page = openPage();
    const ticks = "a`".repeat(6000);
    const emphasis = "*a* ".repeat(3000).trim();
    const links = Array.from({ length: 2500 }, (_, i) => `[source ${i}](https://example.com/${i})`).join(" ");
    const images = "![shot](vesk-resource://report/url-shot/0) ".repeat(2100).trim();
    page.show(`${ticks}\n\n${emphasis}\n\n${"`code` ".repeat(100).trim()}\n\n${links}\n\n${images}`);
    const [first, second, third, fourth, fifth] = page.report.querySelectorAll("p");
    assert.equal(first.textContent, "a".repeat(6000));
    assert.equal(first.querySelectorAll("code").length, 2000);
    assert.equal(second.textContent, "a ".repeat(3000).trim());
    assert.equal(second.querySelectorAll("em").length, 2000);
    assert.equal(third.querySelectorAll("code").length, 100);
    assert.equal(fourth.textContent, Array.from({ length: 2500 }, (_, i) => `source ${i}`).join(" "));
    const hrefs = [...fourth.querySelectorAll("a[href]")].map((a) => a.getAttribute("href"));
    assert.deepEqual(hrefs, Array.from({ length: 2000 }, (_, i) => `https://example.com/${i}`));
    assert.equal(fifth.querySelectorAll(".evidence").length, 2000);
    assert.ok(fifth.textContent.endsWith(" shot shot"));
    for (const block of [first, second, fourth, fifth]) assert.doesNotMatch(block.textContent, /[`*[\]]|\]\(/);
  });

  // The visible text of `block` cut where a line may break or a laid-out block starts or
  // ends: the runs the layout engine has to take whole.
  function unbrokenRuns(block) {
    const runs = [""];
    const walk = (node) => {
      if (node.nodeType === 3) {
        const parts = node.data.split(/[ \t\n]/);
        runs[runs.length - 1] += parts[0];
        runs.push(...parts.slice(1));
        return;
      }
      const apart = node.nodeName === "BR" || node.classList?.contains("long-run");
      if (apart) runs.push("");
      for (const child of node.childNodes) walk(child);
      if (apart) runs.push("");
    };
    walk(block);
    return runs.filter(Boolean);
  }

  test("a long word joined by code spans, emphasis or links is laid out in blocks", () => {
    const page = openPage();
    const piece = "a".repeat(4000);
    const joined = [
      ["code spans", `${piece}\`b\``.repeat(5), `${piece}b`.repeat(5), "code"],
      ["emphasis", `${piece}*b*`.repeat(5), `${piece}b`.repeat(5), "em"],
      ["links", `${piece}[b](https://example.com/b)`.repeat(5), `${piece}b`.repeat(5), "a[href]"],
      ["a long link text", `x[${"c".repeat(9000)}](https://example.com/c)y`, `x${"c".repeat(9000)}y`, "a[href]"],
    ];
    page.show(joined.map(([, source]) => `Before ${source} after.`).join("\n\n"));
    const blocks = page.report.querySelectorAll("p");
    joined.forEach(([name, , word, element], index) => {
      const block = blocks[index];
      assert.equal(block.textContent, `Before ${word} after.`, name);
      assert.deepEqual(unbrokenRuns(block).map((run) => run.length > 4096), unbrokenRuns(block).map(() => false), name);
      const runs = [...block.querySelectorAll(".long-run")];
      assert.equal(runs.map((run) => run.textContent).join(""), word, name);
      assert.equal(runs[0].previousSibling.textContent, "Before ", name);
      const inside = [...block.querySelectorAll(element)];
      assert.ok(inside.length >= 1, name);
      assert.ok(
        inside.every((node) => node.textContent.length > 0),
        `${name}: an element was left empty`,
      );
    });
    const split = [...blocks[3].querySelectorAll("a[href]")];
    assert.ok(split.length >= 2);
    assert.ok(split.every((a) => a.getAttribute("href") === "https://example.com/c" && a.closest(".long-run")));
    assert.equal(split.map((a) => a.textContent).join(""), "c".repeat(9000));
  });
});

describe("long code blocks", () => {
  test("are laid out in blocks of whole lines, a line too long for one cut, and copy whole", () => {
    const page = openPage();
    const lines = (count, from) => Array.from({ length: count }, (_, i) => `line ${from + i}: <b class="x">text</b>`);
    const code = [...lines(300, 0), "y".repeat(9000), ...lines(300, 300)].join("\n");
    page.show(`# Code\n\n\`\`\`html\n${code}\n\`\`\`\n\n\`\`\`\nshort\n\`\`\``);
    const [long, short] = page.report.querySelectorAll("pre");
    assert.equal(long.textContent, `${code}\n`);
    const blocks = [...long.querySelectorAll("code > .code-lines")].map((block) => block.textContent);
    assert.ok(blocks.length >= 4);
    assert.ok(blocks.every((block) => block.length <= 4096));
    const cutInLine = blocks.filter((block) => !block.endsWith("\n"));
    assert.deepEqual(cutInLine, ["y".repeat(4096), "y".repeat(4096)]);
    assert.equal(short.querySelector(".code-lines"), null);
    page.click(long.parentElement.querySelector('[data-action="copy-code"]'));
    assert.equal(page.posted.at(-1).text, code);
  });
});

describe("discovery tags", () => {
  test("thousands of unclosed tags vanish while the blocks before them still count", () => {
    const page = openPage();
    const questions = { questions: [{ id: "q", question: "Who?", options: ["Teams"] }] };
    page.show(
      `<discovery>${JSON.stringify(questions)}</discovery>\n\n# Report\n\n` +
        "<discovery>".repeat(3000) +
        " middle " +
        "<discovery-answers>".repeat(3000) +
        " end </discovery-answers>\n\n" +
        '<discovery-answers>{"answers":{"q":["Teams"]}}</discovery-answers>',
    );
    const sections = [...page.report.querySelectorAll("details")].map((d) => d.querySelector("summary").textContent);
    assert.deepEqual(sections, ["Discovery questions"]);
    assert.equal(page.report.querySelector("article").textContent.replace(/\s+/g, " ").trim(), "Report middle");
    assert.doesNotMatch(page.report.textContent, /discovery|answers/);
  });
});
