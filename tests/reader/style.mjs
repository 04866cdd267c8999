// The reader page's stylesheet as a browser would apply it to one element, enough to
// check what the page looks like without a browser: reader.css parsed into rules, the
// cascade (media, specificity, source order, inheritance) for one property, and the
// colour tokens the build writes into tokens.css, read from the token table itself.
import { readFileSync } from "node:fs";
import path from "node:path";

import { readerDir } from "./page.mjs";

// Rules in source order: { selectors, declarations: Map(name -> { value, important }),
// media } with media null outside an @media block.
export function parseCss(text) {
  const rules = [];
  const source = text.replace(/\/\*[\s\S]*?\*\//g, "");
  const parseBlock = (body, media) => {
    let at = 0;
    while (at < body.length) {
      const open = body.indexOf("{", at);
      if (open < 0) break;
      const prelude = body.slice(at, open).trim();
      if (prelude.startsWith("@media")) {
        let depth = 1;
        let end = open + 1;
        while (depth > 0 && end < body.length) {
          if (body[end] === "{") depth++;
          else if (body[end] === "}") depth--;
          end++;
        }
        parseBlock(body.slice(open + 1, end - 1), prelude.slice("@media".length).trim());
        at = end;
        continue;
      }
      const close = body.indexOf("}", open);
      const declarations = new Map();
      for (const part of body.slice(open + 1, close).split(";")) {
        const colon = part.indexOf(":");
        if (colon < 0) continue;
        const name = part.slice(0, colon).trim();
        let value = part.slice(colon + 1).trim();
        const important = /!important$/.test(value);
        if (important) value = value.replace(/\s*!important$/, "");
        declarations.set(name, { value, important });
      }
      if (!prelude.startsWith("@")) {
        rules.push({ selectors: prelude.split(",").map((s) => s.trim()), declarations, media });
      }
      at = close + 1;
    }
  };
  parseBlock(source, null);
  return rules;
}

export const readerRules = parseCss(readFileSync(path.join(readerDir, "reader.css"), "utf8"));

// [ids, classes and attributes and pseudo-classes, types and pseudo-elements]
function specificity(selector) {
  const plain = selector.replace(/:(?:not|is|has)\(/g, " ").replace(/\)/g, " ");
  const ids = (plain.match(/#[\w-]+/g) || []).length;
  const classes = (plain.match(/\.[\w-]+|\[[^\]]*\]|:(?!:)[\w-]+/g) || []).length;
  const types = (plain.match(/(?:^|[\s>+~])[a-z][\w-]*/gi) || []).length + (plain.match(/::[\w-]+/g) || []).length;
  return [ids, classes, types];
}

function higher(a, b) {
  for (let i = 0; i < 3; i++) if (a[i] !== b[i]) return a[i] > b[i];
  return false;
}

// The value of `property` for `element` (or its ::before/::after with `pseudo`), or
// null when no rule sets it. `media` lists the @media conditions that hold, for
// example ["(prefers-contrast: more)"]; by default none do (a wide screen, normal
// contrast, not printing). Inherited properties are looked up on the ancestors.
export function cascade(element, property, { media = [], pseudo = "", inherit = true, rules = readerRules } = {}) {
  let best = null;
  rules.forEach((rule, order) => {
    if (rule.media !== null && !media.includes(rule.media)) return;
    const declaration = rule.declarations.get(property);
    if (!declaration) return;
    for (const selector of rule.selectors) {
      const ending = /::?(before|after)$/.exec(selector);
      if ((ending ? "::" + ending[1] : "") !== pseudo) continue;
      const target = ending ? selector.slice(0, ending.index) : selector;
      let matches = false;
      try {
        matches = element.matches(target);
      } catch (_) {
        matches = false; // a selector the DOM here cannot evaluate
      }
      if (!matches) continue;
      const rank = [declaration.important ? 1 : 0, ...specificity(selector), order];
      if (!best || rankAbove(rank, best.rank)) {
        best = { value: declaration.value, rank };
      }
    }
  });
  if (best) return best.value;
  if (inherit && !pseudo && element.parentElement) return cascade(element.parentElement, property, { media, rules });
  if (inherit && pseudo) return cascade(element, property, { media, rules });
  return null;
}

function rankAbove(a, b) {
  if (a[0] !== b[0]) return a[0] > b[0];
  const sa = a.slice(1, 4);
  const sb = b.slice(1, 4);
  if (higher(sa, sb)) return true;
  if (higher(sb, sa)) return false;
  return a[4] > b[4];
}

// The product of the opacities of the element and its ancestors.
export function opacity(element, options = {}) {
  let total = 1;
  for (let node = element; node; node = node.parentElement) {
    const value = cascade(node, "opacity", { ...options, inherit: false });
    if (value !== null) total *= Number(value);
  }
  return total;
}

// The colour tokens as tokens.css names them ("--vesk-secondary-ink"), each
// { r, g, b, a } with channels from 0 to 1, from the token table the build writes them
// from.
export const tokens = (() => {
  const header = readFileSync(path.resolve(readerDir, "../../src/core/style/vesk_web_tokens.h"), "utf8");
  const colours = new Map();
  for (const m of header.matchAll(/static constexpr Rgba (\w+) = Rgba::fromHex\(0x([0-9A-Fa-f]{6})(?:,\s*([0-9.]+))?\);/g)) {
    const code = parseInt(m[2], 16);
    const name = "--vesk-" + m[1].replace(/[A-Z]/g, (c) => "-" + c.toLowerCase());
    colours.set(name, { r: (code >> 16) / 255, g: ((code >> 8) & 255) / 255, b: (code & 255) / 255, a: m[3] ? Number(m[3]) : 1 });
  }
  return colours;
})();

// A colour value of the stylesheet: a token variable, #rrggbb or rgba().
export function colour(value) {
  const variable = /^var\((--[\w-]+)\)$/.exec(value);
  if (variable) {
    const token = tokens.get(variable[1]);
    if (!token) throw new Error(`no token ${variable[1]}`);
    return token;
  }
  const hex = /^#([0-9a-f]{6})$/i.exec(value);
  if (hex) {
    const code = parseInt(hex[1], 16);
    return { r: (code >> 16) / 255, g: ((code >> 8) & 255) / 255, b: (code & 255) / 255, a: 1 };
  }
  throw new Error(`not a colour this check reads: ${value}`);
}

// `top` laid over the opaque `ground`, faded by `alpha` on top of its own opacity.
export function over(top, ground, alpha = 1) {
  const a = top.a * alpha;
  const mix = (x, y) => x * a + y * (1 - a);
  return { r: mix(top.r, ground.r), g: mix(top.g, ground.g), b: mix(top.b, ground.b), a: 1 };
}

function luminance(c) {
  const linear = (v) => (v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4);
  return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}

// The WCAG contrast ratio of two opaque colours, from 1 to 21.
export function contrast(a, b) {
  const x = luminance(a);
  const y = luminance(b);
  return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05);
}
