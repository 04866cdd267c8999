// What the report looks like and where its links go: headings that in-page links reach,
// labels shown once, controls legible on the canvas, evidence that keeps its place.
import assert from "node:assert/strict";
import { describe, test } from "node:test";

import { openPage } from "./page.mjs";
import { cascade, colour, contrast, opacity, over, tokens } from "./style.mjs";

// Records which elements the page scrolls into view.
function watchScrolling(page) {
  const scrolled = [];
  page.window.Element.prototype.scrollIntoView = function () {
    scrolled.push(this);
  };
  return scrolled;
}

describe("in-page links", () => {
  test("reach headings named from their text, unique in the report", () => {
    const page = openPage();
    page.show(
      "# Report\n\n## Pricing & plans\n\n### Pricing & plans\n\n## Ünïcode Çafé\n\n#### Pricing & plans\n\n" +
        "[to pricing](#pricing--plans) [the finding](#pricing--plans-1) [café](#ünïcode-çafé) [nowhere](#nowhere)",
    );
    const ids = [...page.report.querySelectorAll("h1, h2, h3, h4")].map((heading) => heading.id);
    assert.deepEqual(ids, ["report-1", "pricing--plans", "pricing--plans-1", "ünïcode-çafé", "pricing--plans-2"]);
    assert.equal(page.document.querySelectorAll("#report").length, 1);

    const scrolled = watchScrolling(page);
    const links = [...page.report.querySelectorAll('a[href^="#"]')];
    for (const link of links) {
      const event = new page.window.MouseEvent("click", { bubbles: true, cancelable: true });
      link.dispatchEvent(event);
      assert.ok(event.defaultPrevented, link.textContent);
    }
    assert.deepEqual(
      scrolled.map((heading) => heading.id),
      ["pricing--plans", "pricing--plans-1", "ünïcode-çafé"],
    );
    assert.deepEqual(page.posted, []);
  });

  test("reach a heading of a long report that has not joined the page yet", () => {
    const page = openPage();
    let text = "# Long audit\n\n[to the end](#the-end)\n\n";
    for (let i = 1; i <= 300; i++) text += `### Finding\n\n${"A sentence about the page. ".repeat(20)}\n\n`;
    page.show(text + "## The end\n\nDone.");
    assert.equal(page.document.getElementById("the-end"), null);
    const scrolled = watchScrolling(page);
    page.click(page.report.querySelector('a[href="#the-end"]'));
    assert.deepEqual(
      scrolled.map((heading) => heading.textContent),
      ["The end"],
    );
    const ids = [...page.report.querySelectorAll("h3")].map((heading) => heading.id);
    assert.equal(new Set(ids).size, 300);
    assert.deepEqual(ids.slice(0, 3), ["finding", "finding-1", "finding-2"]);
  });
});

describe("labels", () => {
  test("an image that cannot load shows its caption, or the word Image once", () => {
    const page = openPage();
    page.show("![](https://example.com/a.png) ![The pricing page](https://example.com/b.png)");
    const shown = [...page.report.querySelectorAll(".image-inert")].map((span) => {
      const before = cascade(span, "content", { pseudo: "::before", inherit: false });
      const prefix = before && before !== "none" ? JSON.parse(before) : "";
      return prefix + span.textContent;
    });
    assert.deepEqual(shown, ["Image", "Image · The pricing page"]);
  });
});

describe("legibility", () => {
  test("a finding's Copy and Refine chips reach 4.5:1 on the canvas, in the normal and the high-contrast look", () => {
    const page = openPage();
    page.show("### A finding\n\nText.", { runId: "run_abc", interactive: true });
    const chips = [...page.report.querySelectorAll(".finding-tools .vesk-chip")];
    assert.deepEqual(
      chips.map((chip) => chip.textContent),
      ["Copy", "Refine"],
    );
    const canvas = tokens.get("--vesk-ivory");
    for (const media of [[], ["(prefers-contrast: more)"]]) {
      for (const chip of chips) {
        const text = colour(cascade(chip, "color", { media }));
        const fill = over(colour(cascade(chip, "background", { media, inherit: false })), canvas);
        // The chip drawn on its fill, then faded as a whole over the canvas.
        const faded = opacity(chip, { media });
        const ratio = contrast(over(over(text, fill), canvas, faded), over(fill, canvas, faded));
        assert.ok(ratio >= 4.5, `${chip.textContent} ${media.join("") || "normal"}: ${ratio.toFixed(2)}:1`);
      }
    }
  });
});

describe("evidence images", () => {
  test("hold a box of their own until the image arrives", () => {
    const page = openPage();
    page.show("![Home](vesk-resource://report/url-shot/0)\n\n![Gone](vesk-resource://report/url-shot/1)\n\nAfter.");
    const [shown, missing] = page.report.querySelectorAll(".evidence-frame");
    for (const frame of [shown, missing]) {
      assert.notEqual(cascade(frame, "aspect-ratio", { inherit: false }), null);
      assert.equal(cascade(frame, "display", { inherit: false }), "block");
      assert.equal(cascade(frame.querySelector("img"), "width", { inherit: false }), "100%");
    }
    shown.querySelector("img").dispatchEvent(new page.window.Event("load"));
    missing.querySelector("img").dispatchEvent(new page.window.Event("error"));
    // Once loaded the image takes its own proportions; a missing one shows its notice.
    assert.equal(cascade(shown, "aspect-ratio", { inherit: false }), null);
    assert.equal(cascade(shown.querySelector("img"), "width", { inherit: false }), null);
    assert.equal(cascade(missing, "aspect-ratio", { inherit: false }), null);
    assert.ok(missing.classList.contains("is-missing"));
  });
});
