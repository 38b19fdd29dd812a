// The editing bridge of Zentro's HTML views. It runs in the program's own
// script world of every page (the pages' own scripts never run), carries
// the program's editing commands to the document and reports the state of
// every editing command back after each selection, input or formatting
// change and after each command.
(function () {
    'use strict';

    const STATES = ['Bold', 'Italic', 'Underline', 'StrikeThrough', 'Subscript', 'Superscript',
                    'JustifyLeft', 'JustifyCenter', 'JustifyRight', 'JustifyFull',
                    'InsertOrderedList', 'InsertUnorderedList'];
    const ENABLED = STATES.concat(['Cut', 'Copy', 'Paste', 'Undo', 'Redo', 'Delete', 'SelectAll',
                                   'InsertImage', 'CreateLink', 'Unlink', 'Indent', 'Outdent',
                                   'FontName', 'FontSize', 'ForeColor', 'BackColor']);
    // Command whose value is reported, and the style property that must be
    // the same over the whole selection for it to have a single value.
    const VALUES = [['FontName', 'fontFamily'], ['FontSize', 'fontSize'],
                    ['ForeColor', 'color'], ['BackColor', 'backgroundColor']];
    const MAX_NODES = 2000;

    let host = null;
    let pending = false;
    let queued = false;
    let options = {flatScrollBars: false, divBlocks: false};
    let flatSheet = null;
    // Whether the document has changed since the last snapshot.
    let changed = false;
    let snapshotSelection = [];
    // What the program's copy of the document was last sent: the body's
    // top-level nodes then, and the program's name for that state. Nodes
    // changed since, and whether anything outside the body changed.
    let copied = null;
    let copiedToken = null;
    const dirty = new Set();
    let shellDirty = false;
    const observer = new MutationObserver(records => {
        absorb(records);
        changed = true;
        schedule();
    });

    function attempt(f, fallback) {
        try {
            return f();
        } catch (e) {
            return fallback;
        }
    }

    // The first text node at or after a boundary point of a range.
    function firstTextFrom(container, offset, walker) {
        if (container.nodeType === Node.TEXT_NODE)
            return container;
        let n = container.childNodes[offset];
        if (!n) {
            // After the container's last child: the node that follows it.
            n = container;
            while (n && !n.nextSibling)
                n = n.parentNode;
            n = n ? n.nextSibling : null;
        }
        if (!n)
            return null;
        if (n.nodeType === Node.TEXT_NODE)
            return n;
        walker.currentNode = n;
        return walker.nextNode();
    }

    // Calls visit for each text node with at least one selected non-blank
    // character, in document order, until it returns false. Only the
    // selected part of the document is walked, and at most MAX_NODES nodes.
    function forSelectedText(range, visit) {
        const root = range.commonAncestorContainer;
        if (root.nodeType === Node.TEXT_NODE) {
            visit(root);
            return;
        }
        const walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT);
        let n = firstTextFrom(range.startContainer, range.startOffset, walker);
        for (let count = 0; n && count < MAX_NODES; n = walker.nextNode(), ++count) {
            walker.currentNode = n;
            if (n === range.endContainer ? range.endOffset === 0
                                         : range.comparePoint(n, 0) > 0)
                break;
            if (n === range.startContainer && range.startOffset >= n.length)
                continue;
            if (n.data.trim() === '')
                continue;
            if (!visit(n))
                return;
        }
    }

    // Which of the value commands' style properties have one value over the
    // whole selection, found in one walk.
    function uniformProperties() {
        const uniform = {};
        for (const [, property] of VALUES)
            uniform[property] = true;
        const sel = document.getSelection();
        if (!sel || sel.rangeCount === 0) {
            for (const p in uniform)
                uniform[p] = false;
            return uniform;
        }
        if (sel.isCollapsed)
            return uniform;
        const first = {};
        let parent = null;
        let open = VALUES.length;
        for (let i = 0; i < sel.rangeCount && open > 0; ++i) {
            forSelectedText(sel.getRangeAt(i), n => {
                // Neighbouring text of one element has its style.
                if (n.parentElement === parent)
                    return true;
                parent = n.parentElement;
                const style = getComputedStyle(parent);
                for (const [, property] of VALUES) {
                    if (!uniform[property])
                        continue;
                    const v = style[property];
                    if (!(property in first))
                        first[property] = v;
                    else if (v !== first[property]) {
                        uniform[property] = false;
                        --open;
                    }
                }
                return open > 0;
            });
        }
        return uniform;
    }

    // Notes which top-level node of the body each change touched; a change
    // to the body's own list of children shows in the list itself.
    function absorb(records) {
        const body = document.body;
        for (const r of records) {
            if (r.target === body && r.type === 'childList')
                continue;
            let n = body && r.target !== body ? r.target : null;
            while (n && n.parentNode !== body)
                n = n.parentNode;
            if (n)
                dirty.add(n);
            else
                shellDirty = true;
        }
    }

    function markup(node) {
        if (node.nodeType === Node.ELEMENT_NODE)
            return node.outerHTML;
        const box = document.createElement('div');
        box.appendChild(node.cloneNode(false));
        return box.innerHTML;
    }

    // The document without the body's children: the text before them and
    // the text after them.
    function shell(body) {
        const mark = 'zentro-copy-' + Math.random().toString(36).slice(2);
        const root = document.documentElement.cloneNode(false);
        for (const n of document.documentElement.childNodes) {
            if (n !== body) {
                root.appendChild(n.cloneNode(true));
                continue;
            }
            const empty = n.cloneNode(false);
            empty.appendChild(document.createComment(mark));
            root.appendChild(empty);
        }
        const text = doctype() + root.outerHTML;
        const at = text.indexOf('<!--' + mark + '-->');
        return [text.slice(0, at), text.slice(at + mark.length + 7)];
    }

    // What changed since the copy named base: the top-level nodes of the
    // body between the unchanged ones at its start (keep) and at its end
    // (tail), and the rest of the document when it changed. Everything
    // when the program holds another state; the whole text when the body
    // is not where a body belongs. next names the state sent.
    function copy(base, next) {
        absorb(observer.takeRecords());
        const body = document.body;
        const since = copiedToken === base ? copied : null;
        copied = null;
        copiedToken = next;
        if (!body || body.parentNode !== document.documentElement) {
            dirty.clear();
            return {whole: attempt(html, '')};
        }
        const nodes = Array.from(body.childNodes);
        const out = {};
        let keep = 0;
        let tail = 0;
        if (since) {
            const same = (a, b) => a === b && !dirty.has(a);
            while (keep < nodes.length && keep < since.length && same(nodes[keep], since[keep]))
                ++keep;
            while (tail < nodes.length - keep && tail < since.length - keep &&
                   same(nodes[nodes.length - 1 - tail], since[since.length - 1 - tail]))
                ++tail;
            out.keep = keep;
            out.tail = tail;
        }
        if (!since || shellDirty)
            out.shell = shell(body);
        out.blocks = nodes.slice(keep, nodes.length - tail).map(markup);
        copied = nodes;
        dirty.clear();
        shellDirty = false;
        return out;
    }

    function linkAtSelection() {
        const sel = document.getSelection();
        let n = sel && sel.rangeCount ? sel.anchorNode : null;
        if (n && n.nodeType !== Node.ELEMENT_NODE)
            n = n.parentElement;
        const a = n && n.closest ? n.closest('a[href]') : null;
        return a ? a.getAttribute('href') : '';
    }

    // The selection as the last snapshot saw it.
    function selectionKey() {
        const sel = document.getSelection();
        return sel && sel.rangeCount
                   ? [sel.anchorNode, sel.anchorOffset, sel.focusNode, sel.focusOffset]
                   : [];
    }

    function snapshot() {
        snapshotSelection = selectionKey();
        const s = {states: {}, enabled: {}, values: {}, link: linkAtSelection(),
                   designMode: document.designMode};
        for (const c of STATES)
            s.states[c] = attempt(() => document.queryCommandState(c), false);
        for (const c of ENABLED)
            s.enabled[c] = attempt(() => document.queryCommandEnabled(c), false);
        const uniform = attempt(uniformProperties, {});
        for (const [c, property] of VALUES) {
            const v = uniform[property] ? attempt(() => document.queryCommandValue(c), '') : '';
            s.values[c] = v === '' ? null : String(v);
        }
        // The program then fetches what changed into its copy of the
        // message, which it restores should the page be lost.
        s.edited = changed && s.designMode === 'on';
        changed = false;
        return s;
    }

    function doctype() {
        const d = document.doctype;
        return d ? '<!DOCTYPE ' + d.name + (d.publicId ? ' PUBLIC "' + d.publicId + '"' : '') +
                       (d.systemId ? ' "' + d.systemId + '"' : '') + '>\n'
                 : '';
    }

    function html() {
        return doctype() + document.documentElement.outerHTML;
    }

    function send() {
        if (!host) {
            pending = true;
            return;
        }
        pending = false;
        host.snapshot(snapshot());
    }

    // A command fires input and selection events: one snapshot serves all
    // that happen in the same task. (Timers never fire in this world while
    // the page's own scripts are off; microtasks do.)
    function schedule() {
        if (queued)
            return;
        queued = true;
        queueMicrotask(() => {
            queued = false;
            send();
        });
    }

    function applyOptions() {
        attempt(() => document.execCommand('defaultParagraphSeparator', false,
                                           options.divBlocks ? 'div' : 'p'));
        attempt(() => {
            if (!flatSheet) {
                flatSheet = new CSSStyleSheet();
                flatSheet.replaceSync(
                    '::-webkit-scrollbar { width: 16px; height: 16px; background: #f0f0f0; }' +
                    '::-webkit-scrollbar-thumb { background: #d4d0c8; border: 1px solid #a0a0a0; }' +
                    '::-webkit-scrollbar-corner { background: #f0f0f0; }');
            }
            const sheets = Array.from(document.adoptedStyleSheets).filter(s => s !== flatSheet);
            if (options.flatScrollBars)
                sheets.push(flatSheet);
            document.adoptedStyleSheets = sheets;
        });
    }

    // Each snapshot is work in the keystroke's own task, before the
    // character is drawn (a few milliseconds in a long message): a key
    // brings only the reports that can differ. Typing reports through its
    // input event; the selection change it causes next, over the same
    // selection and document, brings nothing new, nor does a plain
    // character's key coming up. Other keys (shortcuts that set the style
    // of what is typed next, for one) may change the state alone.
    function selectionChanged() {
        const now = selectionKey();
        if (!changed && now.length === snapshotSelection.length &&
            now.every((v, i) => v === snapshotSelection[i]))
            return;
        schedule();
    }

    function keyUp(event) {
        if (event.key.length === 1 && !event.ctrlKey && !event.altKey && !event.metaKey)
            return;
        schedule();
    }

    // Mail is shown, never sent anywhere: no form submits.
    function refuseSubmit(event) {
        event.preventDefault();
    }

    // Only a link to the web or to a mail address may be followed (the
    // program hands it to the desktop); a click on any other link does
    // nothing, not even the engine's own handling of a malformed address.
    function refuseLink(event) {
        const link = event.target && event.target.closest ? event.target.closest('a, area')
                                                          : null;
        if (!link)
            return;
        const href = link.getAttribute('href') ??
                     link.getAttributeNS('http://www.w3.org/1999/xlink', 'href');
        if (href === null)
            return;
        const protocol = attempt(() => new URL(href, document.baseURI).protocol, '');
        if (!['http:', 'https:', 'mailto:'].includes(protocol))
            event.preventDefault();
    }

    // Listeners on the document are lost when it is rewritten: attach them
    // again after every write.
    function attach() {
        for (const type of ['input', 'mouseup', 'focus'])
            document.addEventListener(type, schedule, true);
        document.addEventListener('selectionchange', selectionChanged, true);
        document.addEventListener('keyup', keyUp, true);
        document.addEventListener('submit', refuseSubmit, true);
        for (const type of ['click', 'auxclick'])
            document.addEventListener(type, refuseLink, true);
        observer.observe(document, {subtree: true, childList: true, attributes: true,
                                    characterData: true});
        applyOptions();
        schedule();
    }

    window.zentro = {
        exec(command, value) {
            attempt(() => document.execCommand(command, false, value));
            schedule();
        },
        // A picture with its alternative text, built as an element so that
        // both attributes are escaped as the document requires.
        insertImage(src, alt) {
            attempt(() => {
                const img = document.createElement('img');
                img.setAttribute('src', src);
                img.setAttribute('alt', alt);
                document.execCommand('insertHTML', false, img.outerHTML);
            });
            schedule();
        },
        setDesignMode(value) {
            document.designMode = value;
            // An editor starts with its caret at the top, so that the
            // formatting there is known before the first click.
            const sel = document.getSelection();
            if (value === 'on' && sel && sel.rangeCount === 0 && document.body)
                attempt(() => sel.collapse(document.body, 0));
            applyOptions();
            schedule();
        },
        // The keyboard's focus came to the view: the document takes it,
        // its caret where it was (at the top the first time).
        focusDocument() {
            window.focus();
            if (document.body && document.designMode === 'on') {
                const sel = document.getSelection();
                const range = sel && sel.rangeCount ? sel.getRangeAt(0) : null;
                document.body.focus();
                if (range) {
                    sel.removeAllRanges();
                    sel.addRange(range);
                } else if (sel) {
                    attempt(() => sel.collapse(document.body, 0));
                }
            }
        },
        // HTML the program has filtered, at a point of the view (a drop)
        // or at the caret.
        insert(html, x, y) {
            attempt(() => {
                const at = x === undefined ? null : document.caretRangeFromPoint(x, y);
                const sel = document.getSelection();
                if (at && sel) {
                    sel.removeAllRanges();
                    sel.addRange(at);
                }
                document.execCommand('insertHTML', false, html);
            });
            schedule();
        },
        caretToEnd() {
            const sel = document.getSelection();
            if (sel && document.body) {
                sel.selectAllChildren(document.body);
                sel.collapseToEnd();
            }
        },
        setBgColor(value) {
            document.bgColor = value;
        },
        write(html) {
            document.open();
            document.write(html);
            document.close();
            copied = null;
            attach();
        },
        setOptions(o) {
            options = o;
            applyOptions();
        },
        html: html,
        copy: copy,
        report: schedule,
    };

    attach();
    if (typeof qt !== 'undefined' && qt.webChannelTransport) {
        new QWebChannel(qt.webChannelTransport, channel => {
            host = channel.objects.host;
            send();
        });
    }
})();
