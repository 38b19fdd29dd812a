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

    function attempt(f, fallback) {
        try {
            return f();
        } catch (e) {
            return fallback;
        }
    }

    // The text nodes with at least one selected character.
    function selectedTextNodes(range) {
        const root = range.commonAncestorContainer;
        if (root.nodeType === Node.TEXT_NODE)
            return [root];
        const nodes = [];
        const walker = document.createTreeWalker(root, NodeFilter.SHOW_TEXT);
        for (let n = walker.nextNode(); n && nodes.length < MAX_NODES; n = walker.nextNode()) {
            if (!range.intersectsNode(n))
                continue;
            if (n === range.startContainer && range.startOffset >= n.length)
                continue;
            if (n === range.endContainer && range.endOffset === 0)
                continue;
            if (n.data.trim() === '')
                continue;
            nodes.push(n);
        }
        return nodes;
    }

    // Whether a style property has one value over the selection.
    function uniform(property) {
        const sel = document.getSelection();
        if (!sel || sel.rangeCount === 0)
            return false;
        if (sel.isCollapsed)
            return true;
        let value = null;
        for (let i = 0; i < sel.rangeCount; ++i) {
            for (const n of selectedTextNodes(sel.getRangeAt(i))) {
                const v = getComputedStyle(n.parentElement)[property];
                if (value === null)
                    value = v;
                else if (v !== value)
                    return false;
            }
        }
        return true;
    }

    function linkAtSelection() {
        const sel = document.getSelection();
        let n = sel && sel.rangeCount ? sel.anchorNode : null;
        if (n && n.nodeType !== Node.ELEMENT_NODE)
            n = n.parentElement;
        const a = n && n.closest ? n.closest('a[href]') : null;
        return a ? a.getAttribute('href') : '';
    }

    function snapshot() {
        const s = {states: {}, enabled: {}, values: {}, link: linkAtSelection(),
                   designMode: document.designMode};
        for (const c of STATES)
            s.states[c] = attempt(() => document.queryCommandState(c), false);
        for (const c of ENABLED)
            s.enabled[c] = attempt(() => document.queryCommandEnabled(c), false);
        for (const [c, property] of VALUES) {
            const v = uniform(property) ? attempt(() => document.queryCommandValue(c), '') : '';
            s.values[c] = v === '' ? null : String(v);
        }
        return s;
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

    // Listeners on the document are lost when it is rewritten: attach them
    // again after every write.
    function attach() {
        for (const type of ['selectionchange', 'input', 'keyup', 'mouseup', 'focus'])
            document.addEventListener(type, schedule, true);
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
        setBgColor(value) {
            document.bgColor = value;
        },
        write(html) {
            document.open();
            document.write(html);
            document.close();
            attach();
        },
        setOptions(o) {
            options = o;
            applyOptions();
        },
        html() {
            const d = document.doctype;
            const doctype = d ? '<!DOCTYPE ' + d.name +
                                (d.publicId ? ' PUBLIC "' + d.publicId + '"' : '') +
                                (d.systemId ? ' "' + d.systemId + '"' : '') + '>\n'
                              : '';
            return doctype + document.documentElement.outerHTML;
        },
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
