// The report reader: renders a finished audit's Markdown into #report and carries the
// owner's answers and refine requests to the application through the "veskReport"
// message handler.
//
// Untrusted text reaches the document in exactly one way: markdown-it (raw HTML off)
// renders it, DOMPurify cleans that HTML against the short list of tags and attributes
// the renderer below produces and hands back the cleaned nodes, and those nodes (with
// the page's own controls around them) are what joins the document. Everything else
// the page builds (discovery sections, sources, controls, the lightbox) is made with
// createElement and textContent. Messages leave the page only from click, middle-click and
// submit handlers, apart from "cancel" when a change of run or interactivity drops requests.
(function () {
  "use strict";

  const MAX_IN_FLIGHT = 4;
  const MAX_BODY_BYTES = 32768;
  const MAX_CLIPBOARD_BYTES = 1048576;
  const MAX_INSTRUCTION_CHARS = 2000;
  const MAX_ANSWERS_PER_QUESTION = 2;
  const MAX_QUESTIONS = 50;
  const MAX_OPTIONS = 30;
  const MAX_SOURCES = 200;
  const PRINT_IMAGE_WAIT_MS = 5000;
  const FIRST_BATCH_CHARS = 12000;
  const BATCH_CHARS = 32000;
  const SLICE_MS = 20;
  // Bounds that keep a hostile report from freezing the page or losing text: blocks
  // nested deeper than this read as plain paragraphs; a run without white space longer
  // than LONGEST_LINK is not searched for links; in a block with more inline elements than
  // MAX_INLINE_ELEMENTS the later ones show as plain text; a run longer than LONG_RUN is
  // laid out in blocks of that many characters.
  const MAX_BLOCK_LEVEL = 20;
  const LONGEST_LINK = 2048;
  const MAX_INLINE_ELEMENTS = 2000;
  const LONG_RUN = 4096;
  const UNAVAILABLE = "This operation is unavailable.";
  const FAILED = "Something went wrong. Try again.";

  const RUN_ID = /^[A-Za-z0-9_-]{1,160}$/;
  const EVIDENCE = /^vesk-resource:\/\/report\/(?:url-shot|attachments)\/(?:0|[1-9][0-9]{0,5})$/;
  const BOX_FRAGMENT = /^#vesk-box=([0-9]{1,6}),([0-9]{1,6}),([0-9]{1,6}),([0-9]{1,6})$/;
  const DISCOVERY_KINDS = ["discovery", "discovery-answers"];
  const INLINE_ELEMENTS = new Set(["code_inline", "image", "hardbreak"]);
  // The second half of a surrogate pair, combining marks, joiners, variation selectors.
  const JOINS_PREVIOUS = /[\udc00-\udfff\u0300-\u036f\u1ab0-\u1aff\u1dc0-\u1dff\u200c\u200d\u20d0-\u20ff\ufe00-\ufe0f\ufe20-\ufe2f]/;
  const DISCOVERY_TAG = /<\/?discovery(?:-answers)?>/g;
  const FENCE = /^ {0,3}(`{3,}|~{3,})(.*)$/;
  const SPLIT_HEADING = /^#{1,3}(?:[ \t]|$)/;

  // ---------------------------------------------------------------- small helpers

  function el(tag, className, text) {
    const node = document.createElement(tag);
    if (className) node.className = className;
    if (text !== undefined) node.textContent = text;
    return node;
  }

  function button(label, action, className) {
    const node = el("button", className || "vesk-button", label);
    node.type = "button";
    if (action) node.dataset.action = action;
    return node;
  }

  // The UTF-8 length of a string, as the application measures it.
  function utf8Length(text) {
    let bytes = 0;
    for (let i = 0; i < text.length; i++) {
      const unit = text.charCodeAt(i);
      if (unit < 0x80) bytes += 1;
      else if (unit < 0x800) bytes += 2;
      else if (unit >= 0xd800 && unit <= 0xdbff && i + 1 < text.length) {
        const next = text.charCodeAt(i + 1);
        if (next >= 0xdc00 && next <= 0xdfff) {
          bytes += 4;
          i++;
        } else bytes += 3;
      } else bytes += 3;
    }
    return bytes;
  }

  // Characters a link never runs across: white space and control characters.
  function endsLink(code) {
    return (
      code <= 0x20 || (code >= 0x7f && code <= 0xa0) || code === 0x1680 || (code >= 0x2000 && code <= 0x200a) ||
      code === 0x2028 || code === 0x2029 || code === 0x202f || code === 0x205f || code === 0x3000
    );
  }

  // Characters a line may break at without breaking a word.
  function breaksLine(code) {
    return (
      code === 0x20 || (code >= 0x09 && code <= 0x0d) || code === 0x1680 || (code >= 0x2000 && code <= 0x2006) ||
      (code >= 0x2008 && code <= 0x200b) || code === 0x2028 || code === 0x2029 || code === 0x205f || code === 0x3000
    );
  }

  // Where the run that starts at `from` ends: the first character `ends` accepts.
  function runEnd(text, from, ends) {
    let at = from;
    while (at < text.length && !ends(text.charCodeAt(at))) at++;
    return at;
  }

  function isPlainObject(value) {
    return value !== null && typeof value === "object" && !Array.isArray(value);
  }

  // An evidence URL as the application rewrites it, split into the address to load
  // (never with a fragment) and the optional highlight box [x, y, w, h] in the image's
  // own pixels.
  function evidenceOf(url) {
    if (typeof url !== "string") return null;
    const hash = url.indexOf("#");
    const src = hash < 0 ? url : url.slice(0, hash);
    if (!EVIDENCE.test(src)) return null;
    let box = null;
    if (hash >= 0) {
      const m = BOX_FRAGMENT.exec(url.slice(hash));
      if (m) {
        const numbers = m.slice(1, 5).map(Number);
        if (numbers[2] > 0 && numbers[3] > 0) box = numbers;
      }
    }
    return { src, box };
  }

  function webUrl(url, schemes) {
    if (typeof url !== "string") return null;
    try {
      const parsed = new URL(url);
      if (!schemes.includes(parsed.protocol)) return null;
      if (parsed.protocol !== "mailto:" && !parsed.hostname) return null;
      return parsed.href;
    } catch (_) {
      return null;
    }
  }

  // What a link target may become: a web or mail link, an in-page anchor, an evidence
  // link (opens the lightbox), or inert text.
  function linkKind(href) {
    if (typeof href !== "string" || href.length === 0) return "inert";
    if (href[0] === "#") return href.length > 1 ? "anchor" : "inert";
    if (/^(?:https?:\/\/|mailto:)/i.test(href) && webUrl(href, ["http:", "https:", "mailto:"])) return "web";
    if (evidenceOf(href)) return "evidence";
    return "inert";
  }

  function errorSentence(body) {
    try {
      const parsed = JSON.parse(body);
      const message = isPlainObject(parsed) && isPlainObject(parsed.error) ? parsed.error.message : null;
      if (typeof message === "string" && message.trim()) return message.trim();
    } catch (_) {
      // not JSON: the generic sentence
    }
    return FAILED;
  }

  // ---------------------------------------------------------------- Markdown

  const md = window.markdownit({ html: false, linkify: true, typographer: false, breaks: false });
  md.linkify.set({ fuzzyLink: false, fuzzyEmail: false, fuzzyIP: false });
  const escapeHtml = md.utils.escapeHtml;

  // The text with every run longer than LONGEST_LINK blanked out, at the same offsets.
  function withoutLongRuns(text) {
    if (text.length <= LONGEST_LINK) return text;
    const parts = [];
    let kept = 0;
    for (let at = 0; at < text.length; ) {
      if (endsLink(text.charCodeAt(at))) {
        at++;
        continue;
      }
      const end = runEnd(text, at, endsLink);
      if (end - at > LONGEST_LINK) {
        parts.push(text.slice(kept, at), " ".repeat(end - at));
        kept = end;
      }
      at = end;
    }
    if (!parts.length) return text;
    parts.push(text.slice(kept));
    return parts.join("");
  }

  // Link detection reads a run from its start, and the script engine's time for that
  // grows steeply with the run's length (165 KB of addresses without a space never drew).
  // A run longer than LONGEST_LINK stays text: where the parser meets "://" the rest of
  // the run is taken as text at once, and the search of whole texts does not see it.
  md.inline.ruler.before("linkify", "vesk_long_run", function (state, silent) {
    const src = state.src;
    const pos = state.pos;
    if (state.linkLevel > 0 || src.charCodeAt(pos) !== 0x3a) return false;
    if (src.charCodeAt(pos + 1) !== 0x2f || src.charCodeAt(pos + 2) !== 0x2f) return false;
    // Remembered for the run, so that each "://" in it does not measure it again.
    if (!(state.veskRunEnd > pos)) state.veskRunEnd = runEnd(src, pos, endsLink);
    const end = Math.min(state.veskRunEnd, state.posMax);
    if (end - pos <= LONGEST_LINK) return false;
    if (!silent) state.pending += src.slice(pos, end);
    state.pos = end;
    return true;
  });
  const findLinks = md.linkify.test;
  const listLinks = md.linkify.match;
  md.linkify.test = (text) => findLinks.call(md.linkify, withoutLongRuns(text));
  md.linkify.match = (text) => listLinks.call(md.linkify, withoutLongRuns(text));

  // The parser drops everything from a block nested past its limit to the end of the
  // text. Past MAX_BLOCK_LEVEL (lists and quotes nested that deep) the lines of a block
  // read as a plain paragraph instead, and the text after it keeps its place.
  md.block.ruler.before("table", "vesk_too_deep", function (state, startLine, endLine, silent) {
    if (silent || state.level < MAX_BLOCK_LEVEL) return false;
    let next = startLine + 1;
    while (next < endLine && !state.isEmpty(next) && state.sCount[next] >= state.blkIndent) next++;
    state.push("paragraph_open", "p", 1).map = [startLine, next];
    const inline = state.push("inline", "", 0);
    inline.content = state.getLines(startLine, next, state.blkIndent, false).trim();
    inline.map = [startLine, next];
    inline.children = [];
    state.push("paragraph_close", "p", -1);
    state.line = next;
    return true;
  });

  // Laying out a block with thousands of inline elements (code spans, emphasis, links)
  // takes a time that grows steeply with their number ("a`" 100,000 times took half a
  // minute). A block keeps its first MAX_INLINE_ELEMENTS; each one after them becomes the
  // text it shows (a code span its code, a link its words, an image its description).
  md.core.ruler.push("vesk_inline_flood", function (state) {
    for (const token of state.tokens) {
      if (token.type !== "inline" || !token.children || token.children.length <= MAX_INLINE_ELEMENTS) continue;
      token.children = boundedInline(token.children, state.Token);
    }
  });

  function boundedInline(children, Token) {
    const text = (content) => {
      const token = new Token("text", "", 0);
      token.content = content;
      return token;
    };
    const kept = [];
    const openKept = []; // for each element open at this point, whether it was kept
    let elements = 0;
    for (const child of children) {
      const element = child.nesting === 1 || INLINE_ELEMENTS.has(child.type);
      if (element) elements++;
      if (child.nesting === -1) {
        if (openKept.pop()) kept.push(child);
      } else if (!element || elements <= MAX_INLINE_ELEMENTS) {
        if (child.nesting === 1) openKept.push(true);
        kept.push(child);
      } else if (child.nesting === 1) {
        openKept.push(false);
      } else if (child.type === "code_inline") {
        kept.push(text(child.content));
      } else if (child.type === "image") {
        kept.push(text(md.renderer.renderInlineAsText(child.children || [], md.options, {})));
      } else if (child.type === "hardbreak") {
        kept.push(text("\n"));
      }
    }
    return kept;
  }

  // Table cell alignment as classes: the policy allows no inline style.
  md.core.ruler.push("vesk_cell_alignment", function (state) {
    for (const token of state.tokens) {
      if ((token.type !== "th_open" && token.type !== "td_open") || !token.attrs) continue;
      const style = token.attrGet("style") || "";
      token.attrs = token.attrs.filter((attr) => attr[0] !== "style");
      const m = /text-align:(left|right|center)/.exec(style);
      if (m) token.attrSet("class", "align-" + m[1]);
    }
  });

  const rules = md.renderer.rules;
  rules.link_open = function (tokens, idx, options, env) {
    const token = tokens[idx];
    const href = token.attrGet("href");
    const kind = linkKind(href);
    env.links.push(kind);
    const title = token.attrGet("title");
    const titled = title ? ' title="' + escapeHtml(title) + '"' : "";
    if (kind === "web") return '<a href="' + escapeHtml(href) + '" rel="noopener noreferrer"' + titled + ">";
    if (kind === "anchor") return '<a href="' + escapeHtml(href) + '"' + titled + ">";
    if (kind === "evidence") {
      const evidence = evidenceOf(href);
      const box = evidence.box ? ' data-box="' + evidence.box.join(",") + '"' : "";
      return (
        '<a class="evidence-link" role="button" tabindex="0" data-lightbox="' + escapeHtml(evidence.src) + '"' + box + titled + ">"
      );
    }
    return '<span class="inert-link">';
  };
  rules.link_close = function (tokens, idx, options, env) {
    return env.links.pop() === "inert" ? "</span>" : "</a>";
  };
  rules.image = function (tokens, idx, options, env, self) {
    const token = tokens[idx];
    const alt = self.renderInlineAsText(token.children, options, env);
    const evidence = evidenceOf(token.attrGet("src"));
    if (!evidence && !alt) return '<span class="image-inert is-unlabelled">Image</span>';
    if (!evidence) return '<span class="image-inert">' + escapeHtml(alt) + "</span>";
    const box = evidence.box ? ' data-box="' + evidence.box.join(",") + '"' : "";
    const caption = alt ? '<span class="evidence-caption">' + escapeHtml(alt) + "</span>" : "";
    return (
      '<span class="evidence"><span class="evidence-frame is-loading"><img src="' + escapeHtml(evidence.src) +
      '" alt="' + escapeHtml(alt) + '" loading="lazy" decoding="async"' + box + "></span>" + caption + "</span>"
    );
  };
  rules.table_open = function () {
    return '<div class="table-wrap"><table>\n';
  };
  rules.table_close = function () {
    return "</table></div>\n";
  };
  // Top-level third-level headings are the findings: they carry their Markdown text,
  // which is how the service names a finding.
  rules.heading_open = function (tokens, idx, options, env, self) {
    const token = tokens[idx];
    const inline = tokens[idx + 1];
    if (token.tag === "h3" && token.level === 0 && inline && inline.type === "inline") {
      return '<h3 data-finding="' + escapeHtml(inline.content.trim()) + '">';
    }
    return self.renderToken(tokens, idx, options);
  };

  const PURIFY = {
    ALLOWED_TAGS: [
      "a", "blockquote", "br", "code", "div", "em", "h1", "h2", "h3", "h4", "h5", "h6", "hr", "img", "li", "ol",
      "p", "pre", "s", "span", "strong", "table", "tbody", "td", "th", "thead", "tr", "ul",
    ],
    ALLOWED_ATTR: [
      "alt", "class", "data-box", "data-finding", "data-lightbox", "decoding", "href", "loading", "rel", "role", "src",
      "start", "tabindex", "title",
    ],
    ADD_URI_SAFE_ATTR: ["data-box", "data-finding", "decoding", "loading", "rel", "start", "tabindex"],
    ALLOWED_URI_REGEXP: /^(?:https?:\/\/|mailto:|#|vesk-resource:\/\/report\/)/i,
    ALLOW_DATA_ATTR: false,
    ALLOW_ARIA_ATTR: false,
    ALLOW_UNKNOWN_PROTOCOLS: false,
  };
  // The sanitiser's own URI rule lets data: images through; only evidence loads here.
  window.DOMPurify.addHook("afterSanitizeAttributes", function (node) {
    if (node.nodeName === "IMG" && !EVIDENCE.test(node.getAttribute("src") || "")) node.removeAttribute("src");
    if (node.nodeName === "A") {
      if (node.hasAttribute("href") && !["web", "anchor"].includes(linkKind(node.getAttribute("href")))) {
        node.removeAttribute("href");
      }
      if (node.hasAttribute("data-lightbox") && !EVIDENCE.test(node.getAttribute("data-lightbox"))) {
        node.removeAttribute("data-lightbox");
      }
    }
  });

  // The cleaned nodes come back as a fragment of the sanitiser's own inert document, so
  // the HTML is parsed once and never serialised again; it joins this document as is.
  const PURIFY_NODES = Object.assign({ RETURN_DOM_FRAGMENT: true }, PURIFY);

  function sanitizedNodes(html) {
    const nodes = document.adoptNode(window.DOMPurify.sanitize(html, PURIFY_NODES));
    gateEvidence(nodes);
    return nodes;
  }

  // ---------------------------------------------------------------- evidence loads

  // Evidence is never kept in a cache, so every image of an address loads it again, and
  // each load passes whole through the application on its way in. Images of one address
  // therefore load one after another, never side by side: a report that shows one
  // screenshot under each of 300 findings has one copy of it in flight, not 300. An
  // image waits without its source until it comes near the view (or the report is
  // printed) and the one before it of the same address has loaded or failed.
  const evidenceGate = { queues: new Map(), loading: new Map(), observer: null };

  function evidenceObserver() {
    if (!evidenceGate.observer && typeof window.IntersectionObserver === "function") {
      evidenceGate.observer = new window.IntersectionObserver(
        function (entries) {
          for (const entry of entries) {
            if (!entry.isIntersecting) continue;
            evidenceGate.observer.unobserve(entry.target);
            wantEvidence(entry.target);
          }
        },
        { rootMargin: "1500px 0px" },
      );
    }
    return evidenceGate.observer;
  }

  function gateEvidence(root) {
    for (const img of root.querySelectorAll(".evidence-frame > img[src]")) {
      img.setAttribute("data-evidence-src", img.getAttribute("src"));
      img.removeAttribute("src");
      img.removeAttribute("loading");
      const observer = evidenceObserver();
      if (observer) observer.observe(img);
      else wantEvidence(img);
    }
  }

  function wantEvidence(img) {
    const src = img.getAttribute("data-evidence-src");
    if (!src || img.veskWanted) return;
    img.veskWanted = true;
    if (!evidenceGate.queues.has(src)) evidenceGate.queues.set(src, []);
    evidenceGate.queues.get(src).push(img);
    nextEvidence(src);
  }

  function nextEvidence(src) {
    if (evidenceGate.loading.has(src)) return;
    const queue = evidenceGate.queues.get(src) || [];
    while (queue.length) {
      const img = queue.shift();
      if (!img.hasAttribute("data-evidence-src")) continue;
      evidenceGate.loading.set(src, img);
      img.removeAttribute("data-evidence-src");
      img.setAttribute("src", src);
      return;
    }
    evidenceGate.queues.delete(src);
  }

  function evidenceSettled(img) {
    const src = img.getAttribute("src");
    if (!src || evidenceGate.loading.get(src) !== img) return;
    evidenceGate.loading.delete(src);
    nextEvidence(src);
  }

  // A new report starts afresh: the images of the one it replaces wait for nothing.
  function resetEvidence() {
    if (evidenceGate.observer) evidenceGate.observer.disconnect();
    evidenceGate.queues.clear();
    evidenceGate.loading.clear();
  }

  function renderMarkdown(text) {
    const nodes = sanitizedNodes(md.render(text, { links: [] }));
    breakLongRuns(nodes);
    return nodes;
  }

  // The link reference definitions of a text cut into parts that are parsed apart, as
  // the parser reads them (in lists and quotes, with escapes, across lines), the first
  // definition of a label winning. Every block ends where a part does, so only the parts
  // that could hold one ("]:") are read, each on its own.
  function referencesOf(pieces) {
    const env = {};
    for (const piece of pieces) {
      if (piece.includes("]:")) md.block.parse(piece.replace(/\r\n?/g, "\n").replace(/\0/g, "\ufffd"), md, env, []);
    }
    return env.references || {};
  }

  // Where a block of a long run may end: LONG_RUN characters on, moved past characters
  // that belong to the one before them (within reason, but never inside a surrogate
  // pair).
  function chunkEnd(text, from, end) {
    let to = Math.min(from + LONG_RUN, end);
    const limit = Math.min(to + 32, end);
    while (to < limit && JOINS_PREVIOUS.test(text[to])) to++;
    const unit = text.charCodeAt(to);
    if (to < end && unit >= 0xdc00 && unit <= 0xdfff) to++;
    return to;
  }

  // Elements a word runs on through: what a line may break around ends it.
  function continuesRun(node) {
    const name = node.nodeName;
    if (name === "SPAN") return node.classList.contains("inert-link");
    return name === "A" || name === "CODE" || name === "EM" || name === "STRONG" || name === "S";
  }

  // The runs without a break in `root`'s text outside code blocks, each as the pieces of
  // text nodes it is made of ([node, from, to]), and the text nodes of code blocks.
  // A run goes on through links, code spans and emphasis, and ends at a character a line
  // may break at and at every other element.
  function textRuns(root) {
    const walker = document.createTreeWalker(root, window.NodeFilter.SHOW_ELEMENT | window.NodeFilter.SHOW_TEXT);
    const runs = [];
    const code = [];
    let run = null;
    const end = () => {
      if (run && run.length > LONG_RUN) runs.push(run);
      run = null;
    };
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      if (node.nodeType !== 3) {
        if (!continuesRun(node)) end();
        continue;
      }
      let flow = node.parentNode;
      while (flow && flow !== root && continuesRun(flow)) flow = flow.parentNode;
      if (flow && flow.closest && flow.closest("pre")) {
        end();
        code.push(node);
        continue;
      }
      if (run && run.flow !== flow) end();
      const text = node.data;
      for (let at = 0; at < text.length; ) {
        if (breaksLine(text.charCodeAt(at))) {
          end();
          at++;
          continue;
        }
        const stop = runEnd(text, at, breaksLine);
        if (!run) run = { flow, pieces: [], length: 0 };
        run.pieces.push([node, at, stop]);
        run.length += stop - at;
        at = stop;
      }
    }
    end();
    return { runs, code };
  }

  // Where the blocks of a long run start and end: LONG_RUN characters apart (see
  // chunkEnd), each as [node, offset] of its first and past its last character.
  function runBlocks(run) {
    const text = run.pieces.map(([node, from, to]) => node.data.slice(from, to)).join("");
    const cuts = [0];
    while (cuts[cuts.length - 1] < text.length) cuts.push(chunkEnd(text, cuts[cuts.length - 1], text.length));
    // Each cut as a place in a piece: a block's start in the piece after a piece boundary,
    // its end in the piece before it.
    let piece = 0;
    let base = 0; // the run offset where that piece starts
    const place = (offset, opening) => {
      for (;;) {
        const [node, from, to] = run.pieces[piece];
        const past = offset - base;
        if (past < to - from || (past === to - from && !opening)) return [node, from + past];
        base += to - from;
        piece++;
      }
    };
    const blocks = [];
    for (let i = 1; i < cuts.length; i++) blocks.push({ start: place(cuts[i - 1], true), end: place(cuts[i], false) });
    return blocks;
  }

  // Splits each text node at the offsets given for it, in one pass; returns, for each
  // node, the new nodes by the offset they start at and by the offset they end at.
  function splitTextNodes(offsets) {
    const made = new Map();
    for (const [node, cuts] of offsets) {
      const text = node.data;
      const starts = new Map();
      const ends = new Map();
      const points = [...new Set(cuts)].filter((at) => at > 0 && at < text.length).sort((a, b) => a - b);
      points.unshift(0);
      points.push(text.length);
      const parts = document.createDocumentFragment();
      for (let i = 1; i < points.length; i++) {
        const part = document.createTextNode(text.slice(points[i - 1], points[i]));
        starts.set(points[i - 1], part);
        ends.set(points[i], part);
        parts.appendChild(part);
      }
      node.parentNode.replaceChild(parts, node);
      made.set(node, { starts, ends });
    }
    return made;
  }

  // The outermost node that begins (or ends) with `node`, below `flow`.
  function outermost(node, flow, side) {
    while (node.parentNode !== flow && !node[side] && continuesRun(node.parentNode)) node = node.parentNode;
    return node;
  }

  // A code block's text in blocks of whole lines of at most LONG_RUN characters, laid
  // out only near the view (a 5 MB code block took half a minute to draw); a longer line
  // is cut as a long run is.
  function breakCodeLines(node) {
    const text = node.data;
    const parts = document.createDocumentFragment();
    let lineEnd = -1; // the first line end at or after `from`, once looked for
    for (let from = 0; from < text.length; ) {
      let to = Math.min(from + LONG_RUN, text.length);
      if (to < text.length) {
        if (lineEnd < from) {
          lineEnd = text.indexOf("\n", from);
          if (lineEnd < 0) lineEnd = text.length;
        }
        to = lineEnd < to ? text.lastIndexOf("\n", to - 1) + 1 : chunkEnd(text, from, text.length);
      }
      parts.appendChild(el("span", "code-lines", text.slice(from, to)));
      from = to;
    }
    node.parentNode.replaceChild(parts, node);
  }

  // The layout engine's time for one word grows steeply with its length (a 1 MB word
  // took 17 s to draw, 5 MB never drew), also when links, code spans or emphasis join
  // its parts. Each run of more than LONG_RUN characters without a break becomes blocks
  // of LONG_RUN characters that may break anywhere and are laid out only near the view;
  // an element a block boundary falls in is split in two. The text itself is unchanged.
  // Code blocks keep their lines.
  function breakLongRuns(root) {
    const { runs, code } = textRuns(root);
    for (const node of code) if (node.data.length > LONG_RUN) breakCodeLines(node);
    if (!runs.length) return;
    const blocks = [];
    const offsets = new Map();
    const cutAt = ([node, offset]) => {
      if (!offsets.has(node)) offsets.set(node, []);
      offsets.get(node).push(offset);
    };
    for (const run of runs) {
      for (const block of runBlocks(run)) {
        cutAt(block.start);
        cutAt(block.end);
        blocks.push({ flow: run.flow, start: block.start, end: block.end });
      }
    }
    const made = splitTextNodes(offsets);
    const range = document.createRange();
    for (const { flow, start, end } of blocks) {
      const first = made.get(start[0]).starts.get(start[1]);
      const last = made.get(end[0]).ends.get(end[1]);
      range.setStartBefore(outermost(first, flow, "previousSibling"));
      range.setEndAfter(outermost(last, flow, "nextSibling"));
      const block = el("span", "long-run");
      block.appendChild(range.extractContents());
      range.insertNode(block);
    }
    range.detach();
  }

  // A heading's id from its text, as in-page links name it: lower case, without
  // punctuation, each white space a hyphen ("Pricing & plans" is "pricing--plans").
  function headingSlug(text) {
    return text
      .trim()
      .slice(0, 200)
      .toLowerCase()
      .replace(/[^\p{L}\p{M}\p{N}\p{Pc}\s-]/gu, "")
      .replace(/\s/g, "-");
  }

  // Gives each heading an id from its text, unique in the report: a repeated one gets
  // "-1", "-2" and so on. `taken` maps each id given to the count of its repeats, and
  // starts with the page's own ids.
  function nameHeadings(root, taken) {
    for (const heading of root.querySelectorAll("h1, h2, h3, h4, h5, h6")) {
      const origin = headingSlug(heading.textContent) || "section";
      let id = origin;
      while (taken.has(id)) {
        const count = taken.get(origin) + 1;
        taken.set(origin, count);
        id = origin + "-" + count;
      }
      taken.set(id, 0);
      heading.id = id;
    }
  }

  // ---------------------------------------------------------------- discovery blocks

  function parseQuestions(text) {
    let value;
    try {
      value = JSON.parse(text);
    } catch (_) {
      return null;
    }
    if (!isPlainObject(value) || !Array.isArray(value.questions)) return null;
    const questions = [];
    for (const item of value.questions) {
      if (questions.length >= MAX_QUESTIONS) break;
      if (!isPlainObject(item) || typeof item.id !== "string" || !item.id || typeof item.question !== "string") continue;
      if (!Array.isArray(item.options)) continue;
      const options = [];
      for (const option of item.options) {
        if (typeof option === "string" && option.trim() && !options.includes(option)) options.push(option);
        if (options.length >= MAX_OPTIONS) break;
      }
      if (options.length && !questions.some((q) => q.id === item.id)) {
        questions.push({ id: item.id, question: item.question, options });
      }
    }
    return questions.length ? questions : null;
  }

  function parseAnswers(text) {
    let value;
    try {
      value = JSON.parse(text);
    } catch (_) {
      return null;
    }
    if (!isPlainObject(value) || !isPlainObject(value.answers)) return null;
    const answers = new Map();
    for (const [id, chosen] of Object.entries(value.answers)) {
      if (!Array.isArray(chosen)) continue;
      const texts = chosen.filter((answer) => typeof answer === "string" && answer.trim());
      if (texts.length) answers.set(id, texts);
    }
    return answers.size ? answers : null;
  }

  // Replaces each discovery block (an opening tag up to the first closing tag of its
  // kind) with a line break, handing its kind and body to `onBlock`. One pass: each
  // kind's next closing tag is looked up once and kept while openings before it come,
  // and an opening with no closing tag after it is left for the stray-tag pass.
  function replaceDiscoveryBlocks(markdown, onBlock) {
    const nextClose = new Map(); // kind -> index of its next closing tag, -1 for none
    const parts = [];
    let kept = 0;
    let from = 0;
    for (;;) {
      const open = markdown.indexOf("<discovery", from);
      if (open < 0) break;
      const kind = DISCOVERY_KINDS.find((name) => markdown.startsWith("<" + name + ">", open));
      if (!kind) {
        from = open + 1;
        continue;
      }
      const bodyStart = open + kind.length + 2;
      const closing = "</" + kind + ">";
      let close = nextClose.has(kind) ? nextClose.get(kind) : -2;
      if (close !== -1 && close < bodyStart) {
        close = markdown.indexOf(closing, bodyStart);
        nextClose.set(kind, close);
      }
      if (close < 0) {
        from = bodyStart;
        continue;
      }
      parts.push(markdown.slice(kept, open), "\n");
      onBlock(kind, markdown.slice(bodyStart, close));
      kept = from = close + closing.length;
    }
    parts.push(markdown.slice(kept));
    return parts.join("");
  }

  // Takes the discovery material out of the Markdown; a block whose JSON does not parse
  // is dropped, and no tag of it is ever left for the renderer.
  function extractDiscovery(markdown) {
    let questions = null;
    let answers = null;
    let sawQuestions = false;
    let sawAnswers = false;
    const rest = replaceDiscoveryBlocks(markdown, function (kind, body) {
      if (kind === "discovery" && !sawQuestions) {
        sawQuestions = true;
        questions = parseQuestions(body);
      } else if (kind === "discovery-answers" && !sawAnswers) {
        sawAnswers = true;
        answers = parseAnswers(body);
      }
    }).replace(DISCOVERY_TAG, "");
    return { markdown: rest, questions, answers };
  }

  // ---------------------------------------------------------------- state

  // Everything that belongs to the run on show and its interactivity; dropped (with a
  // "cancel" for each request in flight) when either changes.
  function freshPending() {
    return {
      requests: new Map(), // id -> { kind: "answers" } | { kind: "refine", finding }
      answers: { draft: new Map(), phase: "idle", message: "" },
      refine: new Map(), // finding -> { open, draft, phase, message, result }
    };
  }

  const state = {
    runId: undefined,
    interactive: false,
    questions: null,
    pending: freshPending(),
    copies: new Map(), // clipboard id -> button
    nextId: 1,
    renders: 0, // showReport calls; body's data-rendered names the last one fully drawn
    job: null, // the render still adding batches
    print: null,
  };

  function bridge() {
    const webkit = window.webkit;
    const handlers = webkit && webkit.messageHandlers;
    const handler = handlers && handlers.veskReport;
    return handler && typeof handler.postMessage === "function" ? handler : null;
  }

  function post(message) {
    const handler = bridge();
    if (!handler) return false;
    try {
      handler.postMessage(message);
      return true;
    } catch (_) {
      return false;
    }
  }

  function newId(prefix) {
    return prefix + "-" + (state.nextId++).toString(36) + "-" + Math.random().toString(36).slice(2, 10);
  }

  function resetPending() {
    for (const id of state.pending.requests.keys()) post({ type: "cancel", id });
    state.pending = freshPending();
  }

  // Sends one service request; returns its id, or an error sentence as { error }.
  function sendRequest(operation, payload, info) {
    if (!state.interactive || !state.runId) return { error: UNAVAILABLE };
    if (state.pending.requests.size >= MAX_IN_FLIGHT) {
      return { error: "Too many requests are on their way. Try again when one has finished." };
    }
    const body = JSON.stringify(payload);
    if (utf8Length(body) > MAX_BODY_BYTES) return { error: "This is too long to send." };
    const id = newId("request");
    const sent = post({ type: "request", id, path: "/api/runs/" + state.runId + "/" + operation, body });
    if (!sent) return { error: UNAVAILABLE };
    state.pending.requests.set(id, info);
    return { id };
  }

  // ---------------------------------------------------------------- discovery sections

  function disclosure(title, className, open) {
    const details = el("details", "vesk-section " + className);
    details.open = open;
    details.appendChild(el("summary", "vesk-section-title", title));
    return details;
  }

  function questionList(questions, answers) {
    const list = el("ol", "discovery-questions");
    for (const q of questions) {
      const item = el("li", "discovery-question");
      item.appendChild(el("p", "discovery-question-text", q.question));
      const options = el("ul", "discovery-options");
      const chosen = (answers && answers.get(q.id)) || [];
      for (const option of q.options) {
        const pill = el("li", "discovery-option", option);
        if (chosen.includes(option)) pill.classList.add("is-chosen");
        options.appendChild(pill);
      }
      item.appendChild(options);
      list.appendChild(item);
    }
    return list;
  }

  function answerList(questions, answers) {
    const list = el("dl", "discovery-answers");
    for (const [id, chosen] of answers) {
      const question = questions && questions.find((q) => q.id === id);
      list.appendChild(el("dt", "", question ? question.question : id));
      list.appendChild(el("dd", "", chosen.join(" · ")));
    }
    return list;
  }

  function answersForm(questions) {
    const draft = state.pending.answers.draft;
    const form = el("form", "answers-form vesk-control");
    form.dataset.form = "answers";
    form.noValidate = true;
    form.appendChild(el("p", "answers-lead", "Pick up to 2 answers per question."));
    questions.forEach(function (q, index) {
      const group = el("fieldset", "answers-question");
      group.dataset.question = String(index);
      group.appendChild(el("legend", "", q.question));
      const choices = el("div", "choices");
      for (const option of q.options) {
        const label = el("label", "choice");
        const input = el("input");
        input.type = "checkbox";
        input.value = option;
        label.appendChild(input);
        label.appendChild(el("span", "", option));
        choices.appendChild(label);
      }
      group.appendChild(choices);
      group.appendChild(el("p", "answers-note", ""));
      form.appendChild(group);
    });
    const footer = el("div", "answers-footer");
    const submit = el("button", "vesk-button is-primary", "Save answers");
    submit.type = "submit";
    footer.appendChild(submit);
    footer.appendChild(el("p", "answers-status", ""));
    footer.lastChild.setAttribute("role", "status");
    form.appendChild(footer);
    for (const [id, chosen] of draft) {
      const index = questions.findIndex((q) => q.id === id);
      if (index < 0) continue;
      for (const input of form.querySelectorAll('fieldset[data-question="' + index + '"] input')) {
        input.checked = chosen.includes(input.value);
      }
    }
    syncAnswersForm(form);
    return form;
  }

  // Brings the form's choices, notes, button and status in line with the draft and the
  // request's phase.
  function syncAnswersForm(form) {
    const questions = state.questions || [];
    const answers = state.pending.answers;
    const busy = answers.phase === "pending" || answers.phase === "saved";
    let complete = questions.length > 0;
    for (const group of form.querySelectorAll("fieldset[data-question]")) {
      const q = questions[Number(group.dataset.question)];
      const chosen = (q && answers.draft.get(q.id)) || [];
      const full = chosen.length >= MAX_ANSWERS_PER_QUESTION;
      if (chosen.length === 0) complete = false;
      for (const input of group.querySelectorAll("input")) {
        input.disabled = busy || (full && !input.checked);
        input.parentElement.classList.toggle("is-chosen", input.checked);
        input.parentElement.classList.toggle("is-dimmed", full && !input.checked);
      }
      group.querySelector(".answers-note").textContent = full ? "Deselect one to choose another." : "";
    }
    form.querySelector('button[type="submit"]').disabled = busy || !complete;
    const status = form.querySelector(".answers-status");
    status.textContent = answers.message;
    status.classList.toggle("is-error", answers.phase === "error");
  }

  function discoverySections(questions, answers) {
    const sections = [];
    const asking = state.interactive && questions && !answers;
    if (questions) {
      const section = disclosure("Discovery questions", "discovery", asking);
      section.appendChild(asking ? answersForm(questions) : questionList(questions, answers));
      sections.push(section);
    }
    if (answers) {
      const section = disclosure("Your answers", "discovery-answers-section", false);
      section.appendChild(answerList(questions, answers));
      sections.push(section);
    }
    return sections;
  }

  function onAnswersChange(input) {
    const form = input.closest("form");
    const group = input.closest("fieldset[data-question]");
    const q = state.questions && state.questions[Number(group.dataset.question)];
    if (!q) return;
    const draft = state.pending.answers.draft;
    const chosen = (draft.get(q.id) || []).filter((answer) => answer !== input.value);
    if (input.checked) {
      if (chosen.length >= MAX_ANSWERS_PER_QUESTION) input.checked = false;
      else chosen.push(input.value);
    }
    if (chosen.length) draft.set(q.id, chosen);
    else draft.delete(q.id);
    if (state.pending.answers.phase === "error") {
      state.pending.answers.phase = "idle";
      state.pending.answers.message = "";
    }
    syncAnswersForm(form);
  }

  function submitAnswers(form) {
    const answers = state.pending.answers;
    if (answers.phase === "pending" || answers.phase === "saved" || !state.questions) return;
    const payload = { answers: {} };
    for (const q of state.questions) {
      const chosen = answers.draft.get(q.id);
      if (!chosen || !chosen.length) return;
      payload.answers[q.id] = chosen.slice(0, MAX_ANSWERS_PER_QUESTION);
    }
    const sent = sendRequest("answers", payload, { kind: "answers" });
    if (sent.error) {
      answers.phase = "error";
      answers.message = sent.error;
    } else {
      answers.phase = "pending";
      answers.message = "Saving your answers…";
    }
    syncAnswersForm(form);
  }

  function onAnswersReply(status, body) {
    const answers = state.pending.answers;
    if (status === 200) {
      let output = null;
      try {
        const parsed = JSON.parse(body);
        if (isPlainObject(parsed) && typeof parsed.output === "string") output = parsed.output;
      } catch (_) {
        // a reply without the new report: the answers are saved all the same
      }
      answers.phase = "saved";
      answers.message = output === null ? "Your answers are saved." : "Saved. Updating the report…";
    } else {
      answers.phase = "error";
      answers.message = errorSentence(body);
    }
    const form = document.querySelector('#report form[data-form="answers"]');
    if (form) syncAnswersForm(form);
  }

  // ---------------------------------------------------------------- findings

  function findingState(finding) {
    let entry = state.pending.refine.get(finding);
    if (!entry) {
      entry = { open: false, draft: "", phase: "idle", message: "", result: null };
      state.pending.refine.set(finding, entry);
    }
    return entry;
  }

  // Wraps each top-level h3 and what follows it (up to the next h1, h2 or h3) in a
  // section with its copy and refine controls.
  function decorateFindings(article) {
    const headings = Array.from(article.children).filter((node) => node.tagName === "H3");
    for (const heading of headings) {
      const finding = heading.getAttribute("data-finding") || heading.textContent.trim();
      const section = el("section", "finding");
      section.dataset.finding = finding;
      article.insertBefore(section, heading);
      const head = el("div", "finding-head");
      head.appendChild(heading);
      const tools = el("div", "finding-tools vesk-control");
      tools.appendChild(button("Copy", "copy-finding", "vesk-chip"));
      if (state.interactive) tools.appendChild(button("Refine", "refine-toggle", "vesk-chip"));
      head.appendChild(tools);
      section.appendChild(head);
      let next = section.nextSibling;
      while (next && !(next.nodeType === 1 && /^H[123]$/.test(next.tagName))) {
        const moving = next;
        next = next.nextSibling;
        section.appendChild(moving);
      }
      if (state.interactive || state.pending.refine.has(finding)) syncFinding(section);
    }
  }

  function refineForm(entry) {
    const form = el("form", "refine-form vesk-control");
    form.dataset.form = "refine";
    form.noValidate = true;
    const label = el("label", "refine-label", "What should this finding look at again?");
    const field = el("textarea", "refine-field");
    field.rows = 3;
    field.maxLength = MAX_INSTRUCTION_CHARS;
    field.placeholder = "For example: make the advice specific to the pricing page";
    field.value = entry.draft;
    label.appendChild(field);
    form.appendChild(label);
    const row = el("div", "refine-row");
    const send = el("button", "vesk-button is-primary", "Refine finding");
    send.type = "submit";
    row.appendChild(send);
    row.appendChild(button("Cancel", "refine-cancel"));
    form.appendChild(row);
    return form;
  }

  // Redraws a finding's refine form, status and refined text from its state.
  function syncFinding(section) {
    const entry = state.pending.refine.get(section.dataset.finding);
    for (const old of section.querySelectorAll(":scope > .refine, :scope > .refined")) old.remove();
    const toggle = section.querySelector('[data-action="refine-toggle"]');
    if (toggle) toggle.setAttribute("aria-expanded", entry && entry.open ? "true" : "false");
    if (!entry) return;
    if (state.interactive && (entry.open || entry.phase === "pending" || entry.phase === "error")) {
      const box = el("div", "refine vesk-control");
      if (entry.open) {
        const form = refineForm(entry);
        const busy = entry.phase === "pending";
        for (const control of form.querySelectorAll("textarea, button")) control.disabled = busy;
        box.appendChild(form);
      }
      if (entry.message) {
        const status = el("p", "refine-status" + (entry.phase === "error" ? " is-error" : ""), entry.message);
        status.setAttribute("role", "status");
        box.appendChild(status);
      }
      section.appendChild(box);
    }
    if (entry.result !== null) {
      const refined = el("div", "refined");
      refined.appendChild(el("p", "refined-eyebrow", "Refined"));
      const body = el("div", "refined-body");
      body.appendChild(renderMarkdown(extractDiscovery(entry.result).markdown));
      decorateCode(body);
      refined.appendChild(body);
      section.appendChild(refined);
    }
  }

  // The finding's sections on show and in batches still waiting to join the report.
  function findingSections(finding) {
    const shown = Array.from(document.querySelectorAll("#report section.finding"));
    const waiting = state.job ? Array.from(state.job.rest.querySelectorAll("section.finding")) : [];
    return shown.concat(waiting).filter((section) => section.dataset.finding === finding);
  }

  function submitRefine(form) {
    const section = form.closest("section.finding");
    if (!section) return;
    const finding = section.dataset.finding;
    const entry = findingState(finding);
    if (entry.phase === "pending") return;
    const instruction = form.querySelector("textarea").value.trim();
    entry.draft = form.querySelector("textarea").value;
    if (!instruction) {
      entry.phase = "error";
      entry.message = "Say what the finding should look at again.";
    } else {
      const sent = sendRequest("refine-finding", { finding, instruction }, { kind: "refine", finding });
      entry.phase = sent.error ? "error" : "pending";
      entry.message = sent.error || "Refining this finding…";
    }
    for (const other of findingSections(finding)) syncFinding(other);
  }

  function onRefineReply(finding, status, body) {
    const entry = findingState(finding);
    if (status === 200) {
      entry.phase = "done";
      entry.message = "";
      entry.open = false;
      entry.draft = "";
      entry.result = body;
    } else {
      entry.phase = "error";
      entry.message = errorSentence(body);
    }
    for (const section of findingSections(finding)) syncFinding(section);
  }

  // ---------------------------------------------------------------- copying

  function decorateCode(root) {
    for (const pre of root.querySelectorAll("pre")) {
      if (pre.parentElement && pre.parentElement.classList.contains("code-block")) continue;
      const wrap = el("div", "code-block");
      pre.parentNode.insertBefore(wrap, pre);
      wrap.appendChild(pre);
      wrap.appendChild(button("Copy", "copy-code", "vesk-chip code-copy vesk-control"));
    }
  }

  // The finding as plain text: its heading and each block below it, without controls
  // or a refined answer.
  function findingText(section) {
    const blocks = [];
    const walk = function (node) {
      for (const child of node.children) {
        if (child.classList.contains("vesk-control") || child.classList.contains("refined")) continue;
        if (child.classList.contains("finding-head") || child.classList.contains("code-block")) {
          walk(child);
          continue;
        }
        if (child.tagName === "UL" || child.tagName === "OL") {
          const items = Array.from(child.children).map((li, i) =>
            (child.tagName === "OL" ? i + 1 + ". " : "- ") + li.textContent.trim(),
          );
          blocks.push(items.join("\n"));
        } else if (child.classList.contains("table-wrap")) {
          const rows = Array.from(child.querySelectorAll("tr")).map((tr) =>
            Array.from(tr.children).map((cell) => cell.textContent.trim()).join("\t"),
          );
          blocks.push(rows.join("\n"));
        } else if (child.tagName === "PRE") {
          blocks.push(child.textContent.replace(/\n$/, ""));
        } else {
          const text = child.textContent.trim();
          if (text) blocks.push(text);
        }
      }
    };
    walk(section);
    return blocks.join("\n\n");
  }

  function copy(control, text) {
    const labelOf = control.dataset.label || control.textContent;
    control.dataset.label = labelOf;
    const show = function (label) {
      control.textContent = label;
      window.setTimeout(function () {
        if (control.textContent === label) control.textContent = labelOf;
      }, 1600);
    };
    if (utf8Length(text) > MAX_CLIPBOARD_BYTES) {
      show("Too long to copy");
      return;
    }
    const id = newId("copy");
    if (!post({ type: "clipboard", id, text })) {
      show("Copy unavailable");
      return;
    }
    state.copies.set(id, { control, show });
  }

  // ---------------------------------------------------------------- evidence images

  function parseBox(text) {
    const m = /^([0-9]+),([0-9]+),([0-9]+),([0-9]+)$/.exec(text || "");
    return m ? m.slice(1, 5).map(Number) : null;
  }

  // Places the highlight of a boxed evidence image over the image as shown: in pixels
  // from its natural size to its displayed size, or in percentages of the frame (which
  // hugs the image) while printing, when the page is laid out again at paper width.
  function placeBox(img, relative) {
    const frame = img.parentElement;
    const box = parseBox(img.getAttribute("data-box"));
    if (!frame || !frame.classList.contains("evidence-frame") || !box) return;
    let overlay = frame.querySelector(".evidence-box");
    const naturalWidth = img.naturalWidth;
    const naturalHeight = img.naturalHeight;
    const shownWidth = img.clientWidth;
    const shownHeight = img.clientHeight;
    const left = Math.min(box[0], naturalWidth);
    const top = Math.min(box[1], naturalHeight);
    const right = Math.min(box[0] + box[2], naturalWidth);
    const bottom = Math.min(box[1] + box[3], naturalHeight);
    const usable =
      naturalWidth > 0 && naturalHeight > 0 && right > left && bottom > top && (relative || (shownWidth > 0 && shownHeight > 0));
    if (!usable) {
      if (overlay) overlay.hidden = true;
      return;
    }
    if (!overlay) {
      overlay = el("span", "evidence-box");
      overlay.setAttribute("aria-hidden", "true");
      frame.appendChild(overlay);
    }
    overlay.hidden = false;
    if (relative) {
      overlay.style.left = (left / naturalWidth) * 100 + "%";
      overlay.style.top = (top / naturalHeight) * 100 + "%";
      overlay.style.width = ((right - left) / naturalWidth) * 100 + "%";
      overlay.style.height = ((bottom - top) / naturalHeight) * 100 + "%";
      return;
    }
    const scaleX = shownWidth / naturalWidth;
    const scaleY = shownHeight / naturalHeight;
    overlay.style.left = img.offsetLeft + img.clientLeft + left * scaleX + "px";
    overlay.style.top = img.offsetTop + img.clientTop + top * scaleY + "px";
    overlay.style.width = (right - left) * scaleX + "px";
    overlay.style.height = (bottom - top) * scaleY + "px";
  }

  function boxedImages() {
    return document.querySelectorAll(".evidence-frame > img[data-box]");
  }

  function placeAllBoxes(relative) {
    for (const img of boxedImages()) if (img.complete && img.naturalWidth > 0) placeBox(img, relative);
  }

  let resizeQueued = false;
  window.addEventListener("resize", function () {
    if (resizeQueued || state.print) return;
    resizeQueued = true;
    const later = window.requestAnimationFrame || ((callback) => window.setTimeout(callback, 16));
    later(function () {
      resizeQueued = false;
      placeAllBoxes(false);
    });
  });

  // An evidence frame keeps a placeholder box until its image has arrived.
  function settleFrame(img) {
    const frame = img.parentElement;
    if (frame && frame.classList.contains("evidence-frame")) frame.classList.remove("is-loading");
  }

  document.addEventListener(
    "load",
    function (event) {
      const img = event.target;
      if (!img || img.tagName !== "IMG") return;
      evidenceSettled(img);
      settleFrame(img);
      if (img.hasAttribute("data-box")) placeBox(img, Boolean(state.print));
    },
    true,
  );

  document.addEventListener(
    "error",
    function (event) {
      const img = event.target;
      if (!img || img.tagName !== "IMG") return;
      evidenceSettled(img);
      if (!img.parentElement) return;
      const frame = img.parentElement;
      if (!frame.classList.contains("evidence-frame")) return;
      frame.classList.remove("is-loading");
      frame.classList.add("is-missing");
    },
    true,
  );

  // ---------------------------------------------------------------- lightbox

  let lightbox = null;
  let lightboxReturn = null;

  function ensureLightbox() {
    if (lightbox) return lightbox;
    lightbox = el("div", "lightbox vesk-control");
    lightbox.hidden = true;
    lightbox.setAttribute("role", "dialog");
    lightbox.setAttribute("aria-modal", "true");
    lightbox.setAttribute("aria-label", "Evidence");
    lightbox.dataset.action = "lightbox-backdrop";
    const panel = el("div", "lightbox-panel");
    const frame = el("span", "evidence-frame");
    frame.appendChild(el("img", "lightbox-image"));
    panel.appendChild(frame);
    panel.appendChild(el("p", "lightbox-caption"));
    panel.appendChild(button("Close", "lightbox-close", "vesk-button lightbox-close"));
    lightbox.appendChild(panel);
    document.body.appendChild(lightbox);
    return lightbox;
  }

  function openLightbox(link) {
    const evidence = evidenceOf(link.getAttribute("data-lightbox"));
    if (!evidence) return;
    const box = ensureLightbox();
    const frame = box.querySelector(".evidence-frame");
    const old = frame.querySelector("img");
    const img = el("img", "lightbox-image");
    img.alt = link.textContent.trim();
    const mark = link.getAttribute("data-box");
    if (mark && parseBox(mark)) img.setAttribute("data-box", mark);
    frame.classList.remove("is-missing");
    for (const overlay of frame.querySelectorAll(".evidence-box")) overlay.remove();
    frame.replaceChild(img, old);
    img.src = evidence.src;
    box.querySelector(".lightbox-caption").textContent = link.textContent.trim();
    lightboxReturn = link;
    box.hidden = false;
    document.body.classList.add("has-lightbox");
    box.querySelector(".lightbox-close").focus();
  }

  function closeLightbox() {
    if (!lightbox || lightbox.hidden) return;
    lightbox.hidden = true;
    lightbox.querySelector(".lightbox-image").removeAttribute("src");
    document.body.classList.remove("has-lightbox");
    if (lightboxReturn && lightboxReturn.isConnected) lightboxReturn.focus();
    lightboxReturn = null;
  }

  // ---------------------------------------------------------------- in-page links

  // Moves the view to the heading an in-page link names, drawing the rest of a long
  // report first when the heading is not on the page yet; a link that names nothing
  // does nothing.
  function showAnchor(fragment) {
    let id = fragment;
    try {
      id = decodeURIComponent(fragment);
    } catch (_) {
      // not percent-encoded text: the name as written
    }
    const report = document.getElementById("report");
    const named = () => {
      const target = document.getElementById(id);
      return target && report.contains(target) ? target : null;
    };
    if (!named()) flushRender();
    const target = named();
    if (target && typeof target.scrollIntoView === "function") target.scrollIntoView({ block: "start" });
  }

  // ---------------------------------------------------------------- events

  document.addEventListener("click", function (event) {
    const target = event.target;
    if (!target || typeof target.closest !== "function") return;
    const evidenceLink = target.closest("a.evidence-link[data-lightbox]");
    if (evidenceLink) {
      event.preventDefault();
      openLightbox(evidenceLink);
      return;
    }
    const anchor = target.closest('a[href^="#"]');
    if (anchor) {
      event.preventDefault();
      showAnchor(anchor.getAttribute("href").slice(1));
      return;
    }
    // A web or mail link goes to the application, which hands it to the browser or the
    // mail program: the page never starts a navigation to it, so the view never connects
    // to the link's host. Without the application the navigation policy still refuses it.
    const outside = target.closest("a[href]");
    if (outside && event.isTrusted && linkKind(outside.getAttribute("href")) === "web") {
      if (post({ type: "open", id: newId("open"), url: outside.href })) event.preventDefault();
      return;
    }
    const control = target.closest("[data-action]");
    if (!control) return;
    const action = control.dataset.action;
    if (action === "lightbox-backdrop") {
      if (target === control) closeLightbox();
      return;
    }
    if (action === "lightbox-close") return closeLightbox();
    if (action === "copy-code") {
      const pre = control.parentElement.querySelector("pre");
      if (pre) copy(control, pre.textContent.replace(/\n$/, ""));
      return;
    }
    const section = control.closest("section.finding");
    if (!section) return;
    if (action === "copy-finding") {
      copy(control, findingText(section));
    } else if (action === "refine-toggle" || action === "refine-cancel") {
      if (!state.interactive) return;
      const entry = findingState(section.dataset.finding);
      if (entry.phase === "pending") return;
      entry.open = action === "refine-toggle" ? !entry.open : false;
      if (!entry.open && entry.phase === "error") {
        entry.phase = "idle";
        entry.message = "";
      }
      syncFinding(section);
      const field = entry.open && section.querySelector(".refine-field");
      if (field) field.focus();
    }
  });

  // A middle click raises no click event, and its default action starts the same
  // navigation, connecting to the link's host on the way: a web link goes to the
  // application as on a left click, and no link starts anything of its own.
  document.addEventListener("auxclick", function (event) {
    if (event.button !== 1) return;
    const link = event.target && event.target.closest && event.target.closest("a[href]");
    if (!link) return;
    event.preventDefault();
    if (event.isTrusted && linkKind(link.getAttribute("href")) === "web") {
      post({ type: "open", id: newId("open"), url: link.href });
    }
  });

  document.addEventListener("submit", function (event) {
    event.preventDefault();
    const form = event.target;
    if (!state.interactive || !form || !form.dataset) return;
    if (form.dataset.form === "answers") submitAnswers(form);
    else if (form.dataset.form === "refine") submitRefine(form);
  });

  document.addEventListener("change", function (event) {
    const input = event.target;
    if (input && input.type === "checkbox" && input.closest('form[data-form="answers"]')) onAnswersChange(input);
  });

  document.addEventListener("input", function (event) {
    const field = event.target;
    if (!field || !field.classList || !field.classList.contains("refine-field")) return;
    const section = field.closest("section.finding");
    if (section) findingState(section.dataset.finding).draft = field.value;
  });

  document.addEventListener("keydown", function (event) {
    if (event.key === "Escape" && lightbox && !lightbox.hidden) {
      event.preventDefault();
      closeLightbox();
      return;
    }
    if (event.key !== "Enter" && event.key !== " ") return;
    const link = event.target && event.target.closest && event.target.closest("a.evidence-link[data-lightbox]");
    if (link) {
      event.preventDefault();
      openLightbox(link);
    }
  });

  // ---------------------------------------------------------------- sources

  function sourcesSection(provenance) {
    if (!Array.isArray(provenance)) return null;
    const entries = provenance
      .filter((entry) => isPlainObject(entry) && typeof entry.url === "string" && entry.url.trim())
      .slice(0, MAX_SOURCES);
    if (!entries.length) return null;
    const section = el("section", "provenance");
    section.appendChild(el("h2", "provenance-title", "Sources"));
    const list = el("ul", "provenance-list");
    for (const entry of entries) {
      const item = el("li", "provenance-entry");
      const href = webUrl(entry.url.trim(), ["http:", "https:"]);
      let address;
      if (href) {
        address = el("a", "provenance-url", entry.url.trim());
        address.href = href;
        address.rel = "noopener noreferrer";
      } else {
        address = el("span", "provenance-url", entry.url.trim());
      }
      item.appendChild(address);
      if (typeof entry.source === "string" && entry.source.trim()) {
        item.appendChild(el("span", "provenance-source", entry.source.trim()));
      }
      if (typeof entry.note === "string" && entry.note.trim()) {
        item.appendChild(el("p", "provenance-note", entry.note.trim()));
      }
      if (typeof entry.screenshotError === "string" && entry.screenshotError.trim()) {
        item.appendChild(el("p", "provenance-warning", "No screenshot: " + entry.screenshotError.trim()));
      }
      list.appendChild(item);
    }
    section.appendChild(list);
    return section;
  }

  // ---------------------------------------------------------------- page functions

  function applyInset(topInset) {
    const inset = typeof topInset === "number" && Number.isFinite(topInset) ? Math.min(Math.max(topInset, 0), 2000) : 0;
    document.documentElement.style.setProperty("--vesk-top-inset", inset + "px");
  }

  // Splits a long report's Markdown into parts parsed on their own: a first part of about
  // FIRST_BATCH_CHARS, so that the first screenful is shown before the rest is even
  // parsed, then parts of about BATCH_CHARS. Each cut falls just before a top-level h1
  // to h3 heading outside fenced code, where every open block (list, quote, table,
  // paragraph) ends anyway. Link references are collected from the whole text first.
  function splitSource(text) {
    if (text.length < FIRST_BATCH_CHARS * 2) return [text];
    const parts = [];
    let start = 0;
    let fence = null; // the opening run of the fenced code the scan is in
    let offset = 0;
    while (offset < text.length) {
      const end = text.indexOf("\n", offset);
      const lineEnd = end < 0 ? text.length : end;
      const first = text[offset];
      if (first === " " || first === "`" || first === "~") {
        const m = FENCE.exec(text.slice(offset, lineEnd));
        if (m && fence) {
          if (m[1][0] === fence[0] && m[1].length >= fence.length && !m[2].trim()) fence = null;
        } else if (m && !(m[1][0] === "`" && m[2].includes("`"))) {
          fence = m[1];
        }
      } else if (first === "#" && !fence) {
        const limit = parts.length ? BATCH_CHARS : FIRST_BATCH_CHARS;
        if (offset - start >= limit && SPLIT_HEADING.test(text.slice(offset, Math.min(lineEnd, offset + 4)))) {
          parts.push(text.slice(start, offset));
          start = offset;
        }
      }
      offset = lineEnd + 1;
    }
    parts.push(text.slice(start));
    return parts;
  }

  // Splits parsed tokens into batches at top-level h1 to h3 headings (so a finding never
  // straddles two), for a text parsed whole. After the first, batches are rendered in
  // later tasks into a detached fragment that joins the document in one move at the end,
  // so that a long report paints quickly and is laid out only twice.
  function batchesOf(tokens, firstLimit) {
    const batches = [];
    let start = 0;
    let size = 0;
    for (let i = 0; i < tokens.length; i++) {
      const token = tokens[i];
      const limit = batches.length === 0 ? firstLimit : BATCH_CHARS;
      if (token.level === 0 && token.type === "heading_open" && /^h[123]$/.test(token.tag) && size >= limit) {
        batches.push(tokens.slice(start, i));
        start = i;
        size = 0;
      }
      size += token.content.length + 8;
    }
    batches.push(tokens.slice(start));
    return batches;
  }

  // The next step of a render: parsing the next part of the text, or one batch.
  function renderStep(job) {
    if (job.next < job.batches.length) renderBatch(job);
    else job.batches.push(...batchesOf(md.parse(job.pieces[job.nextPiece++], job.env), BATCH_CHARS));
  }

  function moreToRender(job) {
    return job.nextPiece < job.pieces.length || job.next < job.batches.length;
  }

  // Renders one batch: one sanitising pass that hands back the cleaned nodes, then the
  // controls; the batch then moves over as a single fragment.
  function renderBatch(job) {
    const tokens = job.batches[job.next++];
    const batch = sanitizedNodes(md.renderer.render(tokens, md.options, job.env));
    nameHeadings(batch, job.headingIds);
    breakLongRuns(batch);
    decorateCode(batch);
    decorateFindings(batch);
    (job.next === 1 ? job.article : job.rest).appendChild(batch);
  }

  // Later tasks of a render run back to back without the clamp nested timers get; each
  // callback has a message of its own.
  const taskQueue = [];
  const taskChannel = typeof window.MessageChannel === "function" ? new window.MessageChannel() : null;
  if (taskChannel) {
    taskChannel.port1.onmessage = function () {
      const callback = taskQueue.shift();
      if (callback) callback();
    };
  }

  function soon(callback) {
    if (!taskChannel) return void window.setTimeout(callback, 0);
    taskQueue.push(callback);
    taskChannel.port2.postMessage(null);
  }

  // Runs the callback in a task after the next frame, so the first part is drawn before
  // the rest is worked on; a view that draws no frames gets it after a short wait.
  function afterFrame(callback) {
    if (typeof window.requestAnimationFrame !== "function") return soon(callback);
    let started = false;
    const start = function () {
      if (started) return;
      started = true;
      soon(callback);
    };
    window.requestAnimationFrame(start);
    window.setTimeout(start, 100);
  }

  function finishRender(job) {
    if (state.job !== job) return;
    state.job = null;
    job.article.appendChild(job.rest);
    for (const img of job.article.querySelectorAll(".evidence-frame.is-loading > img")) {
      if (img.complete && img.naturalWidth > 0) settleFrame(img);
    }
    placeAllBoxes(Boolean(state.print));
    document.body.dataset.rendered = String(job.number);
  }

  // Works on the render for about SLICE_MS, then lets the page draw and answer input.
  function continueRender(job) {
    if (state.job !== job) return;
    const until = performance.now() + SLICE_MS;
    try {
      do renderStep(job);
      while (moreToRender(job) && performance.now() < until);
    } catch (_) {
      job.article.appendChild(el("p", "report-failure", "Part of this report could not be shown."));
      job.nextPiece = job.pieces.length;
      job.next = job.batches.length;
    }
    if (moreToRender(job)) soon(() => continueRender(job));
    else finishRender(job);
  }

  // Renders what is still waiting at once (before printing).
  function flushRender() {
    const job = state.job;
    if (!job) return;
    while (moreToRender(job)) renderStep(job);
    finishRender(job);
  }

  function render(markdown, provenance, discussion, number) {
    const report = document.getElementById("report");
    const parts = extractDiscovery(markdown);
    state.questions = parts.questions;
    const pieces = splitSource(parts.markdown);
    const env = { links: [] };
    if (pieces.length > 1) env.references = referencesOf(pieces);
    resetEvidence();
    const job = {
      number,
      env,
      headingIds: new Map([["report", 0]]),
      article: el("article", "report-body"),
      rest: document.createDocumentFragment(),
      pieces,
      nextPiece: 1,
      batches: batchesOf(md.parse(pieces[0], env), pieces.length > 1 ? Infinity : FIRST_BATCH_CHARS),
      next: 0,
    };
    state.job = job;
    renderBatch(job);
    const children = [];
    if (discussion) children.push(el("p", "eyebrow follow-up-eyebrow", "Follow-up"));
    children.push(...discoverySections(parts.questions, parts.answers));
    if (!job.article.firstChild && !children.length && !moreToRender(job)) {
      job.article.appendChild(el("p", "report-empty", "This report is empty."));
    }
    children.push(job.article);
    const sources = sourcesSection(provenance);
    if (sources) children.push(sources);
    report.replaceChildren(...children);
    if (moreToRender(job)) afterFrame(() => continueRender(job));
    else finishRender(job);
  }

  window.showReport = function (markdown, runId, interactive, topInset, provenance, discussion) {
    const run = typeof runId === "string" && RUN_ID.test(runId) ? runId : null;
    const canAct = interactive === true && run !== null;
    if (run !== state.runId || (state.interactive && !canAct)) resetPending();
    state.runId = run;
    state.interactive = canAct;
    state.renders += 1;
    applyInset(topInset);
    document.body.classList.toggle("is-follow-up", discussion === true);
    document.body.classList.toggle("is-interactive", canAct);
    closeLightbox();
    try {
      render(typeof markdown === "string" ? markdown : "", provenance, discussion === true, state.renders);
    } catch (_) {
      state.job = null;
      const report = document.getElementById("report");
      report.replaceChildren(el("p", "report-failure", "This report could not be shown."));
      document.body.dataset.rendered = String(state.renders);
    }
  };

  window.receiveVeskResponse = function (reply) {
    if (!isPlainObject(reply) || typeof reply.id !== "string") return;
    const status = Number(reply.status);
    const body = typeof reply.body === "string" ? reply.body : "";
    const copying = state.copies.get(reply.id);
    if (copying) {
      state.copies.delete(reply.id);
      if (copying.control.isConnected) copying.show(status === 200 ? "Copied" : "Copy failed");
      return;
    }
    const info = state.pending.requests.get(reply.id);
    if (!info) return;
    state.pending.requests.delete(reply.id);
    if (info.kind === "answers") onAnswersReply(status, body);
    else if (info.kind === "refine") onRefineReply(info.finding, status, body);
  };

  // Printing shows everything: every section open, no controls, every image loaded or
  // given up on (for a bounded time), highlights placed for the paper layout.
  window.prepareVeskPrint = function () {
    flushRender();
    if (!state.print) {
      closeLightbox();
      const closed = Array.from(document.querySelectorAll("#report details:not([open])"));
      for (const details of closed) details.open = true;
      state.print = { closed };
      document.body.classList.add("is-printing");
    }
    const images = Array.from(document.querySelectorAll("#report .evidence-frame > img"));
    for (const img of images) wantEvidence(img);
    const waits = [];
    for (const img of images) {
      if (img.hasAttribute("data-evidence-src") || !img.complete) {
        waits.push(
          new Promise(function (resolve) {
            img.addEventListener("load", resolve, { once: true });
            img.addEventListener("error", resolve, { once: true });
          }),
        );
      }
    }
    let timer = null;
    const limit = new Promise(function (resolve) {
      timer = window.setTimeout(resolve, PRINT_IMAGE_WAIT_MS);
    });
    return Promise.race([Promise.all(waits), limit]).then(function () {
      window.clearTimeout(timer);
      placeAllBoxes(true);
    });
  };

  window.finishVeskPrint = function () {
    if (!state.print) return;
    for (const details of state.print.closed) if (details.isConnected) details.open = false;
    state.print = null;
    document.body.classList.remove("is-printing");
    placeAllBoxes(false);
  };
})();
