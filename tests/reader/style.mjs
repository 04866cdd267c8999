// The reader page's stylesheet applied to one element the way a browser would, enough to
// check how the page looks without one: reader.css parsed into rules, the cascade of one
// property (media, specificity, order, inheritance), and the colour tokens the build
// writes into tokens.css, read from the token table itself.
import { readFileSync } from "node:fs";
import path from "node:path";

import { readerDir } from "./page.mjs";

// Rules in source order: { selectors, declarations: Map(name -> value), media }, media
// being the condition of the enclosing @media block or null.
function parseCss(text) {
  const rules = [];
  const block = (body, media) => {
    for (let at = 0, open; (open = body.indexOf("{", at)) >= 0; ) {
      const prelude = body.slice(at, open).trim();
      let end = open + 1;
      for (let depth = 1; depth > 0; end++) depth += body[end] === "{" ? 1 : body[end] === "}" ? -1 : 0;
      const inside = body.slice(open + 1, end - 1);
      if (prelude.startsWith("@media")) block(inside, prelude.slice(6).trim());
      else if (!prelude.startsWith("@")) {
        const declarations = new Map(
          inside
            .split(";")
            .filter((part) => part.includes(":"))
            .map((part) => [part.slice(0, part.indexOf(":")).trim(), part.slice(part.indexOf(":") + 1).trim()]),
        );
        rules.push({ selectors: prelude.split(",").map((s) => s.trim()), declarations, media });
      }
      at = end;
    }
  };
  block(text.replace(/\/\*[\s\S]*?\*\//g, ""), null);
  return rules;
}

const rules = parseCss(readFileSync(path.join(readerDir, "reader.css"), "utf8"));

// [ids, classes and attributes and pseudo-classes, types and pseudo-elements], then order.
function rank(selector, order) {
  const plain = selector.replace(/:(?:not|is|has)\(|\)/g, " ");
  const count = (pattern) => (plain.match(pattern) || []).length;
  const types = count(/(?:^|[\s>+~])[a-z][\w-]*|::[\w-]+/gi);
  return [count(/#[\w-]+/g), count(/\.[\w-]+|\[[^\]]*\]|:(?!:)[\w-]+/g), types, order];
}

function above(a, b) {
  const first = a.findIndex((v, i) => v !== b[i]);
  return first >= 0 && a[first] > b[first];
}

// The value of `property` for `element`, or for its ::before with pseudo "::before"; null
// when no rule sets it. `media` lists the @media conditions that hold (none by default:
// a wide screen, normal contrast, not printing). Unless `inherit` is false, a property no
// rule sets is looked up on the element's parent.
export function cascade(element, property, { media = [], pseudo = "", inherit = true } = {}) {
  let best = null;
  rules.forEach((rule, order) => {
    const value = rule.declarations.get(property);
    if (value === undefined || (rule.media !== null && !media.includes(rule.media))) return;
    for (const selector of rule.selectors) {
      const ending = /::?(?:before|after)$/.exec(selector);
      if ((ending ? ending[0].replace(/^:?:/, "::") : "") !== pseudo) continue;
      let matches = false;
      try {
        matches = element.matches(ending ? selector.slice(0, ending.index) : selector);
      } catch (_) {
        // a selector this DOM cannot evaluate applies to nothing here
      }
      const candidate = rank(selector, order);
      if (matches && (!best || above(candidate, best.rank))) best = { value, rank: candidate };
    }
  });
  if (best || !inherit) return best ? best.value : null;
  if (pseudo) return cascade(element, property, { media });
  return element.parentElement ? cascade(element.parentElement, property, { media }) : null;
}

// The product of the opacities of the element and its ancestors.
export function opacity(element, options = {}) {
  let total = 1;
  for (let node = element; node; node = node.parentElement) {
    total *= Number(cascade(node, "opacity", { ...options, inherit: false }) ?? 1);
  }
  return total;
}

const rgb = (code, a = 1) => ({ r: (code >> 16) / 255, g: ((code >> 8) & 255) / 255, b: (code & 255) / 255, a });

// The colour tokens by their tokens.css names ("--vesk-secondary-ink"), from the table
// the build writes them from.
const table = readFileSync(path.resolve(readerDir, "../../src/core/style/vesk_web_tokens.h"), "utf8");
export const tokens = new Map(
  [...table.matchAll(/static constexpr Rgba (\w+) = Rgba::fromHex\(0x([0-9A-Fa-f]{6})(?:,\s*([0-9.]+))?\);/g)].map((m) => [
    "--vesk-" + m[1].replace(/[A-Z]/g, (c) => "-" + c.toLowerCase()),
    rgb(parseInt(m[2], 16), m[3] ? Number(m[3]) : 1),
  ]),
);

// A colour value of the stylesheet: a token variable, #rrggbb or transparent.
export function colour(value) {
  if (value === "transparent") return rgb(0, 0);
  const hex = /^#([0-9a-f]{6})$/i.exec(value);
  if (hex) return rgb(parseInt(hex[1], 16));
  const token = tokens.get((/^var\((--[\w-]+)\)$/.exec(value) || [])[1]);
  if (!token) throw new Error(`not a colour this check reads: ${value}`);
  return token;
}

// `top` laid over the opaque `ground`, faded by `alpha` on top of its own opacity.
export function over(top, ground, alpha = 1) {
  const a = top.a * alpha;
  const mix = (x, y) => x * a + y * (1 - a);
  return { r: mix(top.r, ground.r), g: mix(top.g, ground.g), b: mix(top.b, ground.b), a: 1 };
}

// The WCAG contrast ratio of two opaque colours, from 1 to 21.
export function contrast(a, b) {
  const luminance = (c) =>
    [c.r, c.g, c.b]
      .map((v) => (v <= 0.04045 ? v / 12.92 : ((v + 0.055) / 1.055) ** 2.4))
      .reduce((sum, v, i) => sum + v * [0.2126, 0.7152, 0.0722][i], 0);
  const [x, y] = [luminance(a), luminance(b)];
  return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05);
}
