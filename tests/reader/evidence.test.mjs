// Evidence images: the highlight box drawn over a loaded image, and evidence links that
// open the lightbox instead of navigating.
import assert from "node:assert/strict";
import { describe, test } from "node:test";

import { openPage } from "./page.mjs";

// Gives an image the sizes a browser would know once it loaded, then fires its load.
function load(page, img, natural, shown) {
  const sizes = {
    naturalWidth: natural[0],
    naturalHeight: natural[1],
    clientWidth: shown[0],
    clientHeight: shown[1],
    complete: true,
  };
  for (const [name, value] of Object.entries(sizes)) {
    Object.defineProperty(img, name, { configurable: true, get: () => value });
  }
  img.dispatchEvent(new page.window.Event("load"));
}

function placement(overlay) {
  return ["left", "top", "width", "height"].map((side) => overlay.style[side]);
}

describe("the highlight box", () => {
  test("is placed over the image as shown, and follows a resize", () => {
    const page = openPage();
    page.show("![Home](vesk-resource://report/url-shot/0#vesk-box=96,150,720,210)");
    const img = page.report.querySelector("img");
    assert.equal(img.getAttribute("src"), "vesk-resource://report/url-shot/0");
    assert.equal(img.src.includes("#"), false);
    assert.equal(page.report.querySelector(".evidence-box"), null);

    load(page, img, [1440, 900], [720, 450]);
    const overlay = page.report.querySelector(".evidence-frame > .evidence-box");
    assert.ok(overlay);
    assert.equal(overlay.hidden, false);
    assert.deepEqual(placement(overlay), ["48px", "75px", "360px", "105px"]);

    Object.defineProperty(img, "clientWidth", { configurable: true, get: () => 360 });
    Object.defineProperty(img, "clientHeight", { configurable: true, get: () => 225 });
    page.window.requestAnimationFrame = (callback) => callback();
    page.window.dispatchEvent(new page.window.Event("resize"));
    assert.deepEqual(placement(overlay), ["24px", "37.5px", "180px", "52.5px"]);
  });

  test("is clipped to the image, and hidden when it misses it", () => {
    const page = openPage();
    page.show(
      "![a](vesk-resource://report/url-shot/0#vesk-box=900,500,400,400) " +
        "![b](vesk-resource://report/url-shot/1#vesk-box=2000,10,10,10) " +
        "![c](vesk-resource://report/url-shot/2#vesk-box=0,0,0,10)",
    );
    const [a, b, c] = page.report.querySelectorAll("img");
    load(page, a, [1000, 600], [500, 300]);
    load(page, b, [1000, 600], [500, 300]);
    load(page, c, [1000, 600], [500, 300]);
    assert.deepEqual(placement(a.parentElement.querySelector(".evidence-box")), ["450px", "250px", "50px", "50px"]);
    const missed = b.parentElement.querySelector(".evidence-box");
    assert.ok(missed === null || missed.hidden);
    assert.equal(c.hasAttribute("data-box"), false);
  });

  test("moves to proportions for print and back afterwards", async () => {
    const page = openPage();
    page.show("<discovery>{\"questions\":[{\"id\":\"q\",\"question\":\"Q?\",\"options\":[\"A\"]}]}</discovery>\n\n" +
      "![a](vesk-resource://report/url-shot/0#vesk-box=100,60,200,120)");
    const img = page.report.querySelector("img");
    load(page, img, [1000, 600], [500, 300]);
    const details = page.report.querySelector("details");
    assert.equal(details.open, false);
    await page.window.prepareVeskPrint();
    const overlay = page.report.querySelector(".evidence-box");
    assert.deepEqual(placement(overlay), ["10%", "10%", "20%", "20%"]);
    assert.equal(details.open, true);
    assert.ok(page.document.body.classList.contains("is-printing"));
    page.window.finishVeskPrint();
    assert.deepEqual(placement(overlay), ["50px", "30px", "100px", "60px"]);
    assert.equal(details.open, false);
    assert.ok(!page.document.body.classList.contains("is-printing"));
  });
});

describe("evidence links", () => {
  test("open the lightbox on the image without its fragment, and close on Escape", () => {
    const page = openPage();
    page.show("See [the pricing page](vesk-resource://report/attachments/2#vesk-box=5,5,10,10) for detail.");
    const link = page.report.querySelector("a.evidence-link");
    assert.equal(link.hasAttribute("href"), false);
    page.click(link);
    const lightbox = page.document.querySelector(".lightbox");
    assert.equal(lightbox.hidden, false);
    const img = lightbox.querySelector("img");
    assert.equal(img.getAttribute("src"), "vesk-resource://report/attachments/2");
    assert.equal(img.getAttribute("data-box"), "5,5,10,10");
    assert.equal(lightbox.querySelector(".lightbox-caption").textContent, "the pricing page");
    page.document.dispatchEvent(new page.window.KeyboardEvent("keydown", { key: "Escape", bubbles: true }));
    assert.equal(lightbox.hidden, true);
    assert.equal(img.hasAttribute("src"), false);
    assert.deepEqual(page.posted, []);
  });
});

describe("images of one address", () => {
  const shot = "vesk-resource://report/url-shot/0";
  const other = "vesk-resource://report/url-shot/1";
  const sources = (page) => [...page.report.querySelectorAll("img")].map((img) => img.getAttribute("src"));

  test("load one after another, each once the one before has loaded or failed", () => {
    const page = openPage();
    page.show(`![a](${shot})\n\n![b](${shot})\n\n![c](${other})\n\n![d](${shot})`);
    assert.deepEqual(sources(page), [shot, null, other, null], "one of each address at a time");
    const [a, b, , d] = page.report.querySelectorAll("img");
    assert.equal(b.getAttribute("data-evidence-src"), shot);
    load(page, a, [10, 10], [10, 10]);
    assert.deepEqual(sources(page), [shot, shot, other, null]);
    b.dispatchEvent(new page.window.Event("error"));
    assert.deepEqual(sources(page), [shot, shot, other, shot]);
    assert.equal(d.hasAttribute("data-evidence-src"), false);
  });

  test("a new report does not wait for the images of the one it replaced", async () => {
    const page = openPage();
    page.show(`![a](${shot})\n\n![b](${shot})`);
    page.show(`# Again\n\n![c](${shot})\n\n![d](${shot})`);
    assert.deepEqual(sources(page), [shot, null]);
    // Printing waits for every image, the waiting ones included, as they load in turn.
    const printed = page.window.prepareVeskPrint();
    const [c, d] = page.report.querySelectorAll("img");
    load(page, c, [10, 10], [10, 10]);
    assert.equal(d.getAttribute("src"), shot);
    load(page, d, [10, 10], [10, 10]);
    await printed;
    page.window.finishVeskPrint();
  });
});
