// Messages to the application: only from the owner's clicks and submissions, with the
// paths and bodies the bridge admits, and replies shown where they belong.
import assert from "node:assert/strict";
import { describe, test } from "node:test";

import { openPage, report } from "./page.mjs";

const RUN = "run_abc";

function choose(page, question, option) {
  const input = [...page.report.querySelectorAll(`fieldset[data-question="${question}"] input`)].find(
    (box) => box.value === option,
  );
  page.click(input);
  return input;
}

function submitButton(root) {
  return root.querySelector('button[type="submit"]');
}

describe("copying", () => {
  test("posts the clipboard only when a copy button is clicked", () => {
    const page = openPage();
    page.show(report(), { runId: RUN, interactive: true });
    assert.deepEqual(page.posted, []);

    const finding = page.report.querySelector("section.finding");
    page.click(finding.querySelector('[data-action="copy-finding"]'));
    assert.equal(page.posted.length, 1);
    const [copy] = page.posted;
    assert.equal(copy.type, "clipboard");
    assert.ok(copy.id.length > 0 && copy.id.length <= 64);
    assert.match(copy.text, /^1\. The first screen does not say who it is for\n\nClarity & copy · High impact\n\n/);
    assert.match(copy.text, /Do this: Put the offer in the headline\.$/);
    assert.doesNotMatch(copy.text, /Copy|Refine/);

    page.click(page.report.querySelector('[data-action="copy-code"]'));
    assert.deepEqual(page.posted[1].text, "button { weight: equal }");
    assert.notEqual(page.posted[1].id, copy.id);

    const control = finding.querySelector('[data-action="copy-finding"]');
    page.reply(copy.id, 200, "", "text/plain");
    assert.equal(control.textContent, "Copied");
  });

  test("copying works on a report that cannot be changed", () => {
    const page = openPage();
    page.show(report(), { runId: null, interactive: false });
    assert.equal(page.report.querySelector('[data-action="refine-toggle"]'), null);
    page.click(page.report.querySelector('[data-action="copy-finding"]'));
    assert.deepEqual(
      page.posted.map((message) => message.type),
      ["clipboard"],
    );
  });

  test("without the message handler nothing throws and the button says so", () => {
    const page = openPage({ bridge: false });
    page.show(report(), { runId: RUN, interactive: true });
    const control = page.report.querySelector('[data-action="copy-finding"]');
    page.click(control);
    assert.equal(control.textContent, "Copy unavailable");
  });
});

describe("discovery answers", () => {
  test("an interactive report without answers offers the questions and saves the choices", () => {
    const page = openPage();
    page.show(report({ answers: null }), { runId: RUN, interactive: true });
    const form = page.report.querySelector('form[data-form="answers"]');
    assert.ok(form.closest("details").open);
    assert.equal(submitButton(form).disabled, true);

    choose(page, 0, "First-time visitors");
    choose(page, 0, "Teams");
    const third = choose(page, 0, "Returning customers");
    assert.equal(third.checked, false, "a third answer is refused");
    assert.equal(third.disabled, true);
    assert.equal(submitButton(form).disabled, true, "every question needs an answer");
    choose(page, 1, "Buy");
    assert.deepEqual(page.posted, []);

    page.click(submitButton(form));
    assert.equal(page.posted.length, 1);
    const [request] = page.posted;
    assert.equal(request.type, "request");
    assert.equal(request.path, `/api/runs/${RUN}/answers`);
    assert.equal(typeof request.body, "string");
    assert.deepEqual(JSON.parse(request.body), { answers: { audience: ["First-time visitors", "Teams"], goal: ["Buy"] } });
    assert.equal(submitButton(form).disabled, true);
    page.click(submitButton(form));
    assert.equal(page.posted.length, 1, "no second save while one is on its way");
  });

  test("a failed save shows the service's sentence and lets the owner try again", () => {
    const page = openPage();
    page.show(report({ answers: null }), { runId: RUN, interactive: true });
    choose(page, 0, "Teams");
    choose(page, 1, "Buy");
    const form = page.report.querySelector('form[data-form="answers"]');
    page.click(submitButton(form));
    const [request] = page.requests();
    page.reply(request.id, 500, JSON.stringify({ error: { message: "Reconnect to Vesk to continue." } }));
    const status = form.querySelector(".answers-status");
    assert.equal(status.textContent, "Reconnect to Vesk to continue.");
    assert.ok(status.classList.contains("is-error"));
    assert.equal(submitButton(form).disabled, false);

    page.click(submitButton(form));
    assert.equal(page.requests().length, 2);
    page.reply(page.requests()[1].id, 200, JSON.stringify({ output: "# New report" }));
    assert.equal(status.textContent, "Saved. Updating the report…");
  });

  test("a report that is not interactive offers no form and posts nothing", () => {
    for (const [runId, interactive] of [
      [RUN, false],
      [null, true],
      ["bad id/..", true],
    ]) {
      const page = openPage();
      page.show(report({ answers: null }), { runId, interactive });
      assert.equal(page.report.querySelector("form"), null);
      assert.equal(page.report.querySelector('[data-action="refine-toggle"]'), null);
      assert.ok(page.report.querySelector("details.discovery"));
      const form = page.document.createElement("form");
      form.dataset.form = "answers";
      page.report.appendChild(form);
      form.dispatchEvent(new page.window.Event("submit", { bubbles: true, cancelable: true }));
      assert.deepEqual(page.posted, []);
    }
  });
});

describe("refining a finding", () => {
  function openRefine(page, index = 0) {
    const section = page.report.querySelectorAll("section.finding")[index];
    page.click(section.querySelector('[data-action="refine-toggle"]'));
    return section;
  }

  test("sends the heading and instruction, then renders the reply safely under the finding", () => {
    const page = openPage();
    page.show(report(), { runId: RUN, interactive: true });
    const section = openRefine(page);
    const field = section.querySelector("textarea");
    field.value = "Focus on the pricing page";
    page.click(submitButton(section));
    const [request] = page.requests();
    assert.equal(request.path, `/api/runs/${RUN}/refine-finding`);
    assert.deepEqual(JSON.parse(request.body), {
      finding: "1. The first screen does not say who it is for",
      instruction: "Focus on the pricing page",
    });
    assert.equal(section.querySelector("textarea").disabled, true);

    page.reply(request.id, 200, "**Refined** <script>x()</script> [go](javascript:alert(1))", "text/plain");
    const refined = section.querySelector(".refined-body");
    assert.equal(refined.querySelector("strong").textContent, "Refined");
    assert.equal(refined.querySelector("script, [href]"), null);
    assert.match(refined.textContent, /<script>x\(\)<\/script>/);
    assert.equal(section.querySelector("form"), null);
  });

  test("a failed refinement shows the error sentence under its finding only", () => {
    const page = openPage();
    page.show(report(), { runId: RUN, interactive: true });
    const [first, second] = [openRefine(page, 0), openRefine(page, 1)];
    first.querySelector("textarea").value = "Shorter";
    page.click(submitButton(first));
    page.reply(page.requests()[0].id, 500, JSON.stringify({ error: { message: "The service is busy." } }));
    assert.equal(first.querySelector(".refine-status.is-error").textContent, "The service is busy.");
    assert.equal(second.querySelector(".refine-status"), null);
    assert.equal(first.querySelector("textarea").disabled, false);
  });

  test("never has more than four requests in flight", () => {
    const page = openPage();
    const findings = Array.from({ length: 5 }, (_, i) => `### Finding ${i + 1}\n\nText.\n`).join("\n");
    page.show(findings, { runId: RUN, interactive: true });
    const sections = [...page.report.querySelectorAll("section.finding")];
    for (const section of sections) {
      openRefine(page, sections.indexOf(section));
      section.querySelector("textarea").value = "Again";
      page.click(submitButton(section));
    }
    assert.equal(page.requests().length, 4);
    assert.match(sections[4].querySelector(".refine-status").textContent, /Too many requests/);
  });
});

describe("a change of run or interactivity", () => {
  test("cancels requests in flight and drops open forms and late replies", () => {
    const page = openPage();
    page.show(report({ answers: null }), { runId: RUN, interactive: true });
    choose(page, 0, "Teams");
    choose(page, 1, "Buy");
    page.click(submitButton(page.report.querySelector('form[data-form="answers"]')));
    const section = page.report.querySelector("section.finding");
    page.click(section.querySelector('[data-action="refine-toggle"]'));
    section.querySelector("textarea").value = "Again";
    page.click(submitButton(section));
    page.click(page.report.querySelectorAll('[data-action="refine-toggle"]')[1]);
    const ids = page.requests().map((request) => request.id);
    assert.equal(ids.length, 2);

    page.show(report({ answers: null }), { runId: "run_other", interactive: true });
    const cancels = page.posted.filter((message) => message.type === "cancel");
    assert.deepEqual(cancels.map((message) => message.id).sort(), [...ids].sort());
    assert.equal(page.report.querySelector("section.finding form"), null);
    const answersForm = page.report.querySelector('form[data-form="answers"]');
    assert.equal(answersForm.querySelectorAll("input:checked").length, 0);
    assert.equal(answersForm.querySelector(".answers-status").textContent, "");

    page.reply(ids[1], 200, "late text", "text/plain");
    assert.equal(page.report.querySelector(".refined"), null);
  });

  test("keeps drafts and requests when the same run is shown again, cancels when it stops being interactive", () => {
    const page = openPage();
    page.show(report(), { runId: RUN, interactive: true });
    let section = page.report.querySelector("section.finding");
    page.click(section.querySelector('[data-action="refine-toggle"]'));
    section.querySelector("textarea").value = "Keep me";
    page.click(submitButton(section));
    page.show(report(), { runId: RUN, interactive: true, topInset: 120 });
    assert.equal(page.posted.filter((message) => message.type === "cancel").length, 0);
    section = page.report.querySelector("section.finding");
    assert.equal(section.querySelector("textarea").value, "Keep me");
    assert.equal(section.querySelector(".refine-status").textContent, "Refining this finding…");

    page.show(report(), { runId: RUN, interactive: false });
    assert.deepEqual(
      page.posted.filter((message) => message.type === "cancel").map((message) => message.id),
      [page.requests()[0].id],
    );
    assert.equal(page.report.querySelector(".refine"), null);
  });
});

describe("middle clicks", () => {
  test("start no navigation from any link, and one a script sends posts nothing", () => {
    const page = openPage();
    page.show("# Links\n\n[site](https://example.com/a), [part](#links) and [mail](mailto:a@example.com) or text.");
    const middle = (target, button = 1) => {
      const event = new page.window.MouseEvent("auxclick", { bubbles: true, cancelable: true, button });
      target.dispatchEvent(event);
      return event.defaultPrevented;
    };
    const paragraph = page.report.querySelector("p");
    for (const link of paragraph.querySelectorAll("a[href]")) assert.ok(middle(link), link.href);
    assert.equal(middle(paragraph), false);
    assert.equal(middle(paragraph.querySelector("a"), 2), false);
    assert.deepEqual(page.posted, []);
  });
});
