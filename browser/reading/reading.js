// The reading aids of a result page, run in the engine's application world beside Readability
// and mark.js: the page's own scripts cannot see or change them. One call, apply(), brings the
// page to the view asked for and says what it found.
(function () {
    'use strict';
    if (window.TellariaReading)
        return;

    const ReaderId = 'tellaria-reader';
    const ReadingClass = 'tellaria-reading';
    const MarkClass = 'tellaria-mark';
    const NoticeId = 'tellaria-notice';
    const NoticeMs = 5000;
    // Fewer characters than this is no article: a list of links, a search form, an error page.
    const ShortestArticle = 80;

    let userScrolled = false;
    for (const type of ['wheel', 'keydown', 'mousedown', 'touchstart'])
        window.addEventListener(type, () => { userScrolled = true; }, {capture: true, passive: true});

    // null: not tried yet; false: Readability found nothing; else the reader's element.
    let reader = null;
    // The scroll position of the view not shown, to return to.
    let otherScroll = 0;

    function style() {
        const element = document.createElement('style');
        element.id = 'tellaria-reading-style';
        element.textContent = `
html.${ReadingClass} body > :not(#${ReaderId}) { display: none !important; }
html.${ReadingClass}, html.${ReadingClass} body {
    background: #fbfaf6 !important; margin: 0 !important; padding: 0 !important;
    overflow: auto !important; height: auto !important; }
html:not(.${ReadingClass}) #${ReaderId} { display: none !important; }
#${ReaderId} { display: block; box-sizing: border-box; max-width: 42em; margin: 0 auto;
    padding: 20px 22px 48px; background: #fbfaf6; color: #1f1f1f; text-align: left;
    font: 17px/1.75 "Noto Sans CJK SC", "Noto Sans SC", "Source Han Sans SC",
        "WenQuanYi Micro Hei", "Droid Sans Fallback", sans-serif; }
#${ReaderId} * { max-width: 100%; box-sizing: border-box; font-family: inherit;
    position: static !important; float: none !important; }
#${ReaderId} header, #${ReaderId} header * { white-space: normal !important;
    overflow-wrap: anywhere; height: auto !important; overflow: visible !important; }
#${ReaderId} .tellaria-site { font-size: 13px; color: #6a6a6a; margin: 0 0 4px; }
#${ReaderId} h1 { font-size: 1.6em; line-height: 1.3; margin: 0 0 16px; }
#${ReaderId} h2, #${ReaderId} h3 { line-height: 1.35; margin: 1.4em 0 0.5em; }
#${ReaderId} img { height: auto; display: block; margin: 12px auto; }
#${ReaderId} table { border-collapse: collapse; margin: 12px 0; display: block; overflow-x: auto; }
#${ReaderId} td, #${ReaderId} th { border: 1px solid #c8c8c8; padding: 3px 8px; vertical-align: top; }
#${ReaderId} a { color: #1a5fb4; }
#${ReaderId} pre { white-space: pre-wrap; }
#${NoticeId} { position: fixed !important; top: 12px; left: 50%; transform: translateX(-50%);
    z-index: 2147483647; display: block !important; max-width: 90%; padding: 8px 16px;
    background: #323232; color: #ffffff; border-radius: 4px; box-shadow: 0 2px 6px #0006;
    font: 15px/1.5 "Noto Sans CJK SC", "WenQuanYi Micro Hei", sans-serif; }
mark.${MarkClass} { background: #ffdd00 !important; color: #000000 !important;
    border-radius: 2px; padding: 0 1px; }`;
        return element;
    }

    // What may not come along from the page into the reader: anything that runs or embeds.
    function sanitise(root) {
        for (const element of root.querySelectorAll(
                 'script, style, link, iframe, frame, object, embed, form, input, button, select, textarea'))
            element.remove();
        for (const element of root.querySelectorAll('*')) {
            for (const attribute of Array.from(element.attributes)) {
                const name = attribute.name.toLowerCase();
                const value = attribute.value.trim().toLowerCase();
                if (name.startsWith('on') || name === 'style' || name === 'id'
                    || ((name === 'href' || name === 'src') && value.startsWith('javascript:')))
                    element.removeAttribute(attribute.name);
            }
        }
    }

    function buildReader(site) {
        let article = null;
        try {
            // The page as its site made it: without the term's marks.
            const copy = document.cloneNode(true);
            for (const element of copy.querySelectorAll('mark.' + MarkClass))
                element.replaceWith(...element.childNodes);
            article = new Readability(copy).parse();
        } catch (e) {
            article = null;
        }
        if (!article || !article.content
            || (article.textContent || '').replace(/\s+/g, '').length < ShortestArticle)
            return false;
        const parsed = new DOMParser().parseFromString(article.content, 'text/html');
        sanitise(parsed.body);
        const host = document.createElement('div');
        host.id = ReaderId;
        host.setAttribute('role', 'main');
        const header = document.createElement('header');
        const from = document.createElement('p');
        from.className = 'tellaria-site';
        from.textContent = site;
        const title = document.createElement('h1');
        title.textContent = article.title || document.title;
        header.append(from, title);
        const body = document.createElement('article');
        body.append(...Array.from(parsed.body.childNodes).map((node) => document.importNode(node, true)));
        host.append(header, body);
        return host;
    }

    // Said in the page for a moment, where the user looks after F9, as well as on its tab.
    function showNotice(text) {
        let notice = document.getElementById(NoticeId);
        if (!notice) {
            notice = document.createElement('div');
            notice.id = NoticeId;
            notice.setAttribute('role', 'status');
            notice.setAttribute('aria-live', 'polite');
            document.body.append(notice);
        }
        notice.textContent = text;
        clearTimeout(showNotice.timer);
        // A page in a tab behind counts its moment from when it is shown.
        const count = () => { showNotice.timer = setTimeout(() => notice.remove(), NoticeMs); };
        if (!document.hidden) {
            count();
        } else {
            document.addEventListener('visibilitychange', function shown() {
                if (document.hidden)
                    return;
                document.removeEventListener('visibilitychange', shown);
                count();
            });
        }
    }

    let readerAsked = false;
    function setReader(on, site, noArticle) {
        const root = document.documentElement;
        if (!document.body || !root)
            return;
        if (on && reader === null) {
            reader = buildReader(site);
            if (reader)
                document.body.append(reader);
        }
        if (on && !readerAsked && !reader)
            showNotice(noArticle);
        readerAsked = on;
        const showing = root.classList.contains(ReadingClass);
        const show = on && !!reader;
        if (show === showing)
            return;
        const here = window.scrollY;
        root.classList.toggle(ReadingClass, show);
        window.scrollTo(0, otherScroll);
        otherScroll = here;
    }

    // The first mark into view, unless the user has scrolled: once the page is laid out for
    // good (its load has ended; its styles and pictures change where things are until then), and
    // at the next frame, as measuring now would force a layout before the page paints.
    let scrollAwaited = false;
    function scrollToFirstMark() {
        const first = document.querySelector('mark.' + MarkClass);
        if (!first || userScrolled || window.scrollY !== 0)
            return;
        const box = first.getBoundingClientRect();
        if (box.top < 0 || box.bottom > window.innerHeight)
            first.scrollIntoView({block: 'center'});
    }
    function scrollToFirstMarkOnceLaidOut() {
        if (document.readyState === 'complete') {
            window.requestAnimationFrame(scrollToFirstMark);
        } else if (!scrollAwaited) {
            scrollAwaited = true;
            window.addEventListener('load', () => window.requestAnimationFrame(scrollToFirstMark),
                                    {once: true});
        }
    }

    function mark(term) {
        // Unmarking walks the whole document: only where there is something to take away.
        if (document.querySelector('mark.' + MarkClass))
            new Mark(document.body).unmark({className: MarkClass});
        if (!term)
            return 0;
        const shown = document.documentElement.classList.contains(ReadingClass);
        let count = 0;
        const options = {
            className: MarkClass,
            separateWordSearch: false,
            diacritics: false,
            caseSensitive: false,
            done: (n) => { count = n; },
        };
        // Exclusions cost a selector match per text node: only where there is a reader view to
        // leave out, or the reader's own heading.
        if (shown)
            options.exclude = ['.tellaria-site'];
        else if (reader)
            options.exclude = ['#' + ReaderId, '#' + ReaderId + ' *'];
        new Mark(shown ? reader : document.body).mark(term, options);
        if (count > 0)
            scrollToFirstMarkOnceLaidOut();
        return count;
    }

    // The options last applied and what they gave.
    let last = null;

    window.TellariaReading = {
        // options: {reader: bool, term: string ('' marks nothing), site: string,
        // noArticle: the notice when the reader view finds no article}. Returns
        // {article: 1 when shown as an article, 0 when there is none, -1 when not asked,
        // marks: the term's occurrences shown}.
        apply(options) {
            if (!document.getElementById('tellaria-reading-style'))
                (document.head || document.documentElement).append(style());
            setReader(!!options.reader, options.site || '', options.noArticle || '');
            const marks = mark(options.term || '');
            const result = {article: reader === null ? -1 : (reader ? 1 : 0), marks: marks};
            last = {key: JSON.stringify(options), result: result};
            return result;
        },
        // What `options` give: the last result when they were the last applied, else apply.
        current(options) {
            return last && last.key === JSON.stringify(options) ? last.result : this.apply(options);
        },
    };

    // The options the page was opened with, given before its document was made: applied as soon
    // as the document is parsed, without waiting for its images. Until then a page opened for its
    // reader view is held off the screen (TellariaHold): laying out and painting the page as
    // served would only delay the reader view.
    function release() {
        if (window.TellariaHold) {
            document.adoptedStyleSheets
                = document.adoptedStyleSheets.filter((sheet) => sheet !== window.TellariaHold);
            window.TellariaHold = null;
        }
    }
    function start() {
        try {
            if (window.TellariaReadingOptions)
                window.TellariaReading.apply(window.TellariaReadingOptions);
        } finally {
            release();
        }
    }
    if (document.readyState === 'loading')
        document.addEventListener('DOMContentLoaded', start, {once: true});
    else
        start();
})();
