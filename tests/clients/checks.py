"""Checks of the rendered example site by programs vorn's authors did not
write: xmllint, Chromium's DOM (through run-clients), feedparser, the Nu
Html Checker and jing with the Atom RELAX NG schema.

Run by tests/clients/run-clients with /usr/bin/python3 (Debian's feedparser
is installed for that interpreter only).  Each command prints one line per
fault, naming the page or file and the problem, and exits 1 if there was
any:

  checks.py xml SITE                   every .html page and atom.xml parse
                                       with xmllint
  checks.py links SITE                 every relative link of every page,
                                       as written, names an existing file
  checks.py pick SITE POSTS            print the pages to load in the browser
                                       and the sources whose text they show
  checks.py dom SITE PAGE DUMP POST [NEIGHBOUR...]
                                       the DOM Chromium dumped for PAGE: its
                                       relative links name existing files,
                                       the first paragraph of POST is shown,
                                       and every NEIGHBOUR page is linked
  checks.py feed SITE POSTS            SITE/atom.xml through feedparser
  checks.py html VNU_JAR SITE          every .html page through the Nu Html
                                       Checker, errors only
  checks.py atom SCHEMA FEED           FEED through jing -c SCHEMA, then
                                       XPath queries (xmllint) for the rules
                                       jing leaves out: every entry has an
                                       author, from the feed or its own, and
                                       no two entries share an id
  checks.py selftest                   each check from xml to feed fails on
                                       a site doctored to break it
  checks.py selftest html VNU_JAR      the same for html
  checks.py selftest atom SCHEMA       the same for atom
"""

import html.parser
import json
import os
import subprocess
import sys
import tempfile
import urllib.parse


def norm(text):
    """Collapses runs of white space (no-break spaces included) to one
    space, so text compares the same however the markup wrapped it."""
    return " ".join(text.split())


def is_true(value):
    return value is not None and value.lower() in ("1", "true")


class Markup(html.parser.HTMLParser):
    """Collects what the checks need from one HTML or XHTML document: the
    relative URLs it refers to, the text of its body, and the text of the
    first plain paragraph of each article element (one that carries a true
    data-vorn-article).  A paragraph that is a child of the article is
    preferred to one nested deeper, such as a byline in its header."""

    LINKS = {"a": "href", "link": "href", "img": "src", "script": "src"}
    VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input",
            "link", "meta", "source", "track", "wbr"}

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.links = []          # (tag, attribute, value)
        self.body = []           # text pieces inside body
        self.in_body = False
        self.skip = 0            # depth inside script or style
        self.articles = []       # first paragraph per article, or None
        self.fallback = None     # first nested paragraph of the article
        self.article_depth = 0   # open elements inside the open article
        self.para = None         # pieces of the paragraph being collected
        self.para_depth = 0
        self.para_child = False  # whether it is a child of the article

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        want = self.LINKS.get(tag)
        if want and attrs.get(want) is not None:
            self.links.append((tag, want, attrs[want]))
        if tag == "body":
            self.in_body = True
        if tag in ("script", "style"):
            self.skip += 1
        if tag in self.VOID:
            return
        if self.article_depth:
            self.article_depth += 1
            if self.para is not None:
                self.para_depth += 1
            elif tag == "p" and self.articles[-1] is None:
                self.para = []
                self.para_depth = 1
                self.para_child = self.article_depth == 2
        elif is_true(attrs.get("data-vorn-article")):
            self.articles.append(None)
            self.fallback = None
            self.article_depth = 1

    def handle_startendtag(self, tag, attrs):
        # <x/> in an XHTML source opens and closes at once.
        self.handle_starttag(tag, attrs)
        if tag not in self.VOID:
            self.handle_endtag(tag)

    def handle_endtag(self, tag):
        if tag in ("script", "style") and self.skip:
            self.skip -= 1
        if tag in self.VOID or not self.article_depth:
            return
        self.article_depth -= 1
        if self.para is not None:
            self.para_depth -= 1
            if self.para_depth == 0:
                text = norm("".join(self.para))
                # A paragraph with variables prints differently from its
                # source; the next plain one is taken instead.
                if text and "${" not in text:
                    if self.para_child:
                        self.articles[-1] = text
                    elif self.fallback is None:
                        self.fallback = text
                self.para = None
        if self.article_depth == 0 and self.articles[-1] is None:
            self.articles[-1] = self.fallback

    def handle_data(self, data):
        if self.in_body and not self.skip:
            self.body.append(data)
        if self.para is not None:
            self.para.append(data)


def parse_file(path):
    with open(path, encoding="utf-8") as f:
        m = Markup()
        m.feed(f.read())
        m.close()
        return m


def html_pages(site):
    pages = []
    for root, dirs, files in os.walk(site):
        dirs.sort()
        for name in sorted(files):
            if name.endswith(".html"):
                pages.append(os.path.join(root, name))
    return pages


def rel(site, path):
    return os.path.relpath(path, site)


def page_name(src):
    """The page vorn derives from a source name: a final "xml" extension
    (any case) becomes "html", any other name gets ".html" appended."""
    dot = src.rfind(".")
    if dot >= 0 and "/" not in src[dot:] and src[dot + 1:].lower() == "xml":
        return src[:dot] + ".html"
    return src + ".html"


# -- the checks; each returns a list of fault lines ------------------------

def check_xml(site):
    faults = []
    files = html_pages(site)
    if os.path.exists(os.path.join(site, "atom.xml")):
        files.append(os.path.join(site, "atom.xml"))
    if not files:
        return [f"{site}: no .html page and no atom.xml to check"]
    for path in files:
        r = subprocess.run(["xmllint", "--noout", "--nonet", path],
                           capture_output=True, text=True)
        if r.returncode != 0 or r.stderr:
            lines = (r.stderr or r.stdout).strip().splitlines()
            faults.append(f"{rel(site, path)}: not well-formed XML "
                          f"(xmllint: {lines[0] if lines else r.returncode})")
    return faults


def check_links(site, page, links):
    """Every relative URL among links, resolved against page, must name a
    file inside site (a directory counts when it holds index.html)."""
    faults = []
    top = os.path.realpath(site)
    for tag, attr, value in links:
        url = urllib.parse.urlsplit(value.strip())
        if url.scheme or url.netloc:
            continue
        where = f"{rel(site, page)}: <{tag} {attr}=\"{value}\">"
        if not url.path:
            continue  # "#part" or "?query": the page itself
        target = os.path.normpath(os.path.join(
            os.path.dirname(page), urllib.parse.unquote(url.path)))
        real = os.path.realpath(target)
        if os.path.commonpath([top, real]) != top:
            faults.append(f"{where} points outside the site")
        elif os.path.isdir(real):
            if not os.path.isfile(os.path.join(real, "index.html")):
                faults.append(f"{where} names a folder without index.html")
        elif not os.path.isfile(real):
            faults.append(f"{where} points to a missing file "
                          f"({rel(site, target)})")
    return faults


def check_all_links(site):
    faults = []
    for page in html_pages(site):
        faults += check_links(site, page, parse_file(page).links)
    return faults


def first_paragraph(post):
    """The first plain paragraph of the first article of a source file."""
    for text in parse_file(post).articles:
        if text:
            return text
    return None


def sorted_articles(site):
    """The articles in the order vorn sorts them, from the site's JSON
    export; used only to choose pages and to name their sources."""
    with open(os.path.join(site, "blog.json"), encoding="utf-8") as f:
        return json.load(f)["articles"]


def source_of(posts, article):
    for name in (os.path.basename(article["src"]),
                 article["stripbase"] + ".xml"):
        path = os.path.join(posts, name)
        if os.path.isfile(path):
            return path
    return None


def article_page(site, article):
    for name in (page_name(article["src"]),
                 page_name(os.path.basename(article["src"]))):
        if os.path.isfile(os.path.join(site, name)):
            return name
    return None


def pick(site, posts):
    """Chooses the index page with the source of the article it shows
    first (the first in sort order), and the per-article page of the
    article in the middle of the sorted list (it has a previous and a next
    article) with its source and the pages of its two neighbours.  Returns
    (lines, faults)."""
    try:
        arts = sorted_articles(site)
    except (OSError, ValueError, KeyError) as e:
        return [], [f"blog.json: cannot read the article list: {e}"]
    if len(arts) < 3:
        return [], [f"blog.json: {len(arts)} articles; the example needs at "
                    "least three to show previous and next links"]
    mid = len(arts) // 2
    faults = []
    sources = [source_of(posts, a) for a in (arts[0], arts[mid])]
    pages = [article_page(site, a) for a in arts[mid - 1:mid + 2]]
    for a, s in zip((arts[0], arts[mid]), sources):
        if s is None:
            faults.append(f"{a['src']}: no source file for this article "
                          f"in {posts}")
    for a, p in zip(arts[mid - 1:mid + 2], pages):
        if p is None:
            faults.append(f"{a['src']}: no per-article page "
                          f"{page_name(a['src'])} in the site")
    if faults:
        return [], faults
    return ["index.html", sources[0], pages[1], sources[1],
            pages[0], pages[2]], []


def check_dom(site, page, dump, post, neighbours):
    """Checks the DOM Chromium dumped after rendering SITE/PAGE."""
    name = rel(site, page)
    try:
        with open(dump, encoding="utf-8") as f:
            text = f.read()
    except OSError as e:
        return [f"{name}: no DOM from Chromium ({e})"]
    if "<body" not in text:
        return [f"{name}: Chromium's DOM dump has no body"]
    m = Markup()
    m.feed(text)
    m.close()
    faults = check_links(site, page, m.links)
    para = first_paragraph(post)
    if para is None:
        faults.append(f"{post}: no article paragraph without variables "
                      "to look for")
    elif para not in norm("".join(m.body)):
        faults.append(f"{name}: the text of {os.path.basename(post)} is not "
                      f"shown (looked for \"{para[:60]}...\")")
    targets = set()
    for tag, attr, value in m.links:
        url = urllib.parse.urlsplit(value)
        if tag == "a" and not url.scheme and not url.netloc and url.path:
            targets.add(os.path.normpath(os.path.join(
                os.path.dirname(page), urllib.parse.unquote(url.path))))
    for n in neighbours:
        if os.path.normpath(os.path.join(site, n)) not in targets:
            faults.append(f"{name}: no link to its neighbour {n}")
    return faults


def count_articles(posts):
    n = 0
    for name in sorted(os.listdir(posts)):
        if name.endswith(".xml"):
            n += len(parse_file(os.path.join(posts, name)).articles)
    return n


def check_feed(site, expected):
    """Parses SITE/atom.xml with feedparser.  Entry links are mapped to
    files of the site: a link below the folder of the feed's alternate link
    names the file at the same place below SITE; any other absolute link is
    looked up by its last path component; a relative one below SITE."""
    import feedparser

    path = os.path.join(site, "atom.xml")
    if not os.path.isfile(path):
        return ["atom.xml: missing"]
    d = feedparser.parse(path)
    faults = []
    if d.bozo:
        faults.append(f"atom.xml: feedparser reports an error: "
                      f"{d.bozo_exception}")
    if d.version != "atom10":
        faults.append(f"atom.xml: read as {d.version or 'no known format'}, "
                      "not Atom 1.0")
    for key, what in (("title", "title"), ("id", "id"),
                      ("updated_parsed", "updated date")):
        if not d.feed.get(key):
            faults.append(f"atom.xml: the feed has no {what}")
    if len(d.entries) != expected:
        faults.append(f"atom.xml: {len(d.entries)} entries, expected "
                      f"{expected} (one per article)")
    base = d.feed.get("link", "")
    base = base[:base.rfind("/") + 1] if "://" in base else ""
    seen = {}
    for i, e in enumerate(d.entries, 1):
        where = f"atom.xml: entry {i}"
        if e.get("title"):
            where += f" ({e.title})"
        for key, what in (("title", "title"), ("id", "id"),
                          ("updated_parsed", "updated date")):
            if not e.get(key):
                faults.append(f"{where} has no {what}")
        if e.get("id"):
            if e.id in seen:
                faults.append(f"{where} has the same id as entry "
                              f"{seen[e.id]}: {e.id}")
            seen.setdefault(e.id, i)
        # feedparser fills "link" from the id when the entry has no link
        # element, so the entry's own links are looked at instead.
        hrefs = [x.get("href") for x in e.get("links", [])
                 if x.get("rel", "alternate") == "alternate"]
        link = hrefs[0] if hrefs else None
        if not link:
            faults.append(f"{where} has no link")
            continue
        url = urllib.parse.urlsplit(link)
        if url.scheme in ("http", "https"):
            if base and link.startswith(base):
                local = url.path[len(urllib.parse.urlsplit(base).path):]
            else:
                local = url.path.rsplit("/", 1)[-1]
        elif not url.scheme and not url.netloc:
            local = url.path
        else:
            faults.append(f"{where}: link {link} cannot be mapped to "
                          "the site")
            continue
        target = os.path.join(site, urllib.parse.unquote(local))
        if not local or not os.path.isfile(target):
            faults.append(f"{where}: link {link} names no page of the site "
                          f"(looked for {local or '(nothing)'})")
    return faults


def output_lines(r):
    """The lines a checker printed, less the start-up warnings of Debian's
    jing wrapper about optional jars it did not find."""
    return [line for line in (r.stdout + r.stderr).splitlines()
            if line.strip() and not line.startswith("[warning] ")]


def check_html(jar, site):
    """Runs the Nu Html Checker once over every .html page of SITE and
    reports its errors, one line each, naming the page."""
    pages = html_pages(site)
    if not pages:
        return [f"{site}: no .html page to check"]
    r = subprocess.run(["java", "-jar", jar, "--errors-only", "--format",
                        "gnu", "--no-langdetect"] + pages,
                       capture_output=True, text=True)
    faults = []
    for line in output_lines(r):
        # "file:PATH":LINE.COL-LINE.COL: error: MESSAGE
        if line.startswith('"') and '":' in line:
            name, rest = line[1:].split('":', 1)
            if name.startswith("file:"):
                name = urllib.parse.unquote(name[len("file:"):])
            line = rel(site, name) + ":" + rest
        faults.append(line)
    if r.returncode != 0 and not faults:
        faults.append(f"{site}: the Nu Html Checker failed "
                      f"(status {r.returncode})")
    return faults


ATOM_NS = "http://www.w3.org/2005/Atom"


def atom(name):
    """An XPath step to the Atom element NAME (xmllint's --xpath binds no
    namespace prefixes)."""
    return f"*[local-name()='{name}' and namespace-uri()='{ATOM_NS}']"


# Entries that have no author of their own, none in their source element,
# and belong to a feed without one.
NO_AUTHOR = (f"/{atom('feed')}[not({atom('author')})]/{atom('entry')}"
             f"[not({atom('author')}) and "
             f"not({atom('source')}/{atom('author')})]")
# Entries whose id an earlier entry already has.
SAME_ID = (f"/{atom('feed')}/{atom('entry')}"
           f"[{atom('id')} = preceding-sibling::{atom('entry')}/{atom('id')}]")


def xpath(path, expr):
    r = subprocess.run(["xmllint", "--nonet", "--xpath", expr, path],
                       capture_output=True, text=True)
    if r.returncode != 0:
        return None
    return r.stdout.strip()


def check_atom(schema, feed):
    name = os.path.basename(feed)
    r = subprocess.run(["jing", "-c", schema, feed],
                       capture_output=True, text=True)
    faults = [line.replace(feed, name) for line in output_lines(r)]
    if r.returncode != 0 and not faults:
        faults.append(f"{name}: jing failed (status {r.returncode})")
    if r.returncode != 0:
        return faults  # the queries below need a well-formed feed
    for expr, what in ((NO_AUTHOR, "no author, and the feed has none"),
                       (SAME_ID, "the id of an earlier entry")):
        n = xpath(feed, f"count({expr})")
        if n is None:
            faults.append(f"{name}: xmllint --xpath failed")
        elif n != "0":
            first = xpath(feed, f"string(({expr})[1]/{atom('id')})")
            faults.append(f"{name}: {n} entries with {what} "
                          f"(the first: id {first!r})")
    return faults


# -- self-test: every check must catch a doctored site ---------------------

GOOD_PAGE = """<?xml version="1.0" encoding="UTF-8"?>
<!DOCTYPE html>
<html xmlns="http://www.w3.org/1999/xhtml"><head><title>t</title>
<link rel="stylesheet" href="style.css"/></head>
<body><nav><a href="index.html">home</a> <a href="b.html#top">b</a>
<a href="https://example.org/x">out</a> <a href="#here">here</a></nav>
<article data-vorn-article="1"><h1>A</h1><p>Hello <em>wide</em>
 world.</p></article></body></html>
"""

POST = """<?xml version="1.0" encoding="UTF-8"?>
<html xmlns="http://www.w3.org/1999/xhtml"><body>
<article data-vorn-article="true"><h1>A</h1><aside>About.</aside>
<header><p>By someone</p></header>
<p>Text with ${vorn-title}.</p><p>Hello <em>wide</em> world.</p>
</article></body></html>
"""

FEED = """<?xml version="1.0" encoding="UTF-8"?>
<feed xmlns="http://www.w3.org/2005/Atom">
<title>t</title><link href="https://example.org/blog/"/>
<id>https://example.org/blog/</id><updated>2024-01-02T03:04:05Z</updated>
{entries}</feed>
"""

ENTRY = """<entry><id>https://example.org/blog/{n}</id>
<updated>2024-01-02T03:04:05Z</updated><title>{n}</title>
<author><name>x</name></author>{link}</entry>
"""


def link(href):
    return f'<link rel="alternate" type="text/html" href="{href}" />'


class SelfTest:
    """Collects the self-test cases whose outcome was not the one wanted,
    in a scratch folder that write() fills."""

    def __init__(self, site):
        self.site = site
        self.failed = []

    def expect(self, what, faults, fault_wanted):
        if bool(faults) != fault_wanted:
            self.failed.append(f"self-test: {what}: "
                               + ("; ".join(faults) if faults else
                                  "the fault went unnoticed"))

    def write(self, name, text):
        path = os.path.join(self.site, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        return path


def selftest():
    with tempfile.TemporaryDirectory() as site:
        t = SelfTest(site)
        expect, write = t.expect, t.write

        index = write("index.html", GOOD_PAGE)
        write("b.html", GOOD_PAGE)
        write("style.css", "")
        post = write("posts/a.xml", POST)
        write("posts/b.xml", POST)
        links = parse_file(index).links
        expect("a good site", check_xml(site) + check_all_links(site), False)
        expect("a good DOM", check_dom(site, index, index, post,
                                       ["b.html"]), False)

        for href, why in (("c.html", "a dangling link"),
                          ("../outside.html", "a link out of the site"),
                          ("posts/", "a folder without index.html")):
            bad = links + [("a", "href", href)]
            expect(why, check_links(site, index, bad), True)
        expect("an article linked from a subfolder is looked up there",
               check_links(site, os.path.join(site, "posts", "a.xml"),
                           [("a", "href", "b.html")]), True)

        missing = write("c.html", GOOD_PAGE.replace("Hello", "Goodbye"))
        expect("article text not shown",
               check_dom(site, missing, missing, post, []), True)
        expect("a missing neighbour link",
               check_dom(site, index, index, post, ["c.html"]), True)
        expect("an empty DOM dump",
               check_dom(site, index, os.path.join(site, "none"), post, []),
               True)
        os.remove(missing)

        write("article/bad.html", GOOD_PAGE.replace("</nav>", "</div>"))
        expect("a malformed page", check_xml(site), True)
        os.remove(os.path.join(site, "article", "bad.html"))
        write("nbsp.html", GOOD_PAGE.replace("wide", "wide&nbsp;"))
        expect("an undeclared entity", check_xml(site), True)
        os.remove(os.path.join(site, "nbsp.html"))

        good = [ENTRY.format(n=n, link=link(href)) for n, href in
                (("a", "https://example.org/blog/b.html"),
                 ("b", "index.html"),
                 ("c", "https://elsewhere.example/x/b.html"))]
        write("atom.xml", FEED.format(entries="".join(good)))
        expect("a good feed", check_feed(site, 3), False)
        expect("a wrong number of entries", check_feed(site, 4), True)
        expect("a good feed under xmllint", check_xml(site), False)
        for entries, why in (
                (good[:2] + [ENTRY.format(n="c", link="")],
                 "an entry without a link"),
                (good[:2] + [ENTRY.format(n="c", link=link(
                    "https://example.org/blog/gone.html"))],
                 "an entry linking to a missing page"),
                (good[:2] + [good[2].replace("<updated>2024-01-02T03:04:05Z"
                                             "</updated>", "")],
                 "an entry without a date"),
                (good[:2] + [good[2].replace("<title>c</title>", "")],
                 "an entry without a title"),
                (good[:2] + [good[2].replace("<id>https://example.org/blog/c"
                                             "</id>", "")],
                 "an entry without an id"),
                (good[:2] + [good[1]], "two entries with one id"),
                (good + ["<entry>"], "a feed that is not well-formed")):
            write("atom.xml", FEED.format(entries="".join(entries)))
            expect(why, check_feed(site, 3), True)
        expect("a malformed feed under xmllint", check_xml(site), True)
    return t.failed


HTML_PAGE = """<!DOCTYPE html>
<html xmlns="http://www.w3.org/1999/xhtml" lang="en"><head>
<meta charset="utf-8"/><title>t</title></head>
<body><p>Caf&eacute;&nbsp;au lait <time datetime="2024-01-02">2 Jan</time></p>
<img src="x.png" alt="x"/></body></html>
"""


def selftest_html(jar):
    """The good page passes; each doctored page is reported, by name."""
    with tempfile.TemporaryDirectory() as site:
        t = SelfTest(site)
        t.write("good.html", HTML_PAGE)
        bad = {
            "declaration.html": ("an XML declaration in an .html page",
                                 '<?xml version="1.0" encoding="UTF-8"?>\n'
                                 + HTML_PAGE),
            "notitle.html": ("a head without a title",
                             HTML_PAGE.replace("<title>t</title>", "")),
            "date.html": ("a malformed datetime",
                          HTML_PAGE.replace("2024-01-02", "2 January")),
            "alt.html": ("an img without alt",
                         HTML_PAGE.replace(' alt="x"', "")),
        }
        for name, (why, text) in bad.items():
            t.write(name, text)
        faults = check_html(jar, site)
        for name, (why, text) in bad.items():
            t.expect(why, [f for f in faults if f.startswith(name + ":")],
                     True)
        t.expect("a valid page", [f for f in faults
                                  if f.startswith("good.html:")], False)
    return t.failed


def selftest_atom(schema):
    with tempfile.TemporaryDirectory() as site:
        t = SelfTest(site)
        good = [ENTRY.format(n=n, link=link(f"https://example.org/{n}.html"))
                for n in "abc"]
        anonymous = good[2].replace("<author><name>x</name></author>", "")
        feed_author = FEED.replace("<title>t</title>", "<title>t</title>"
                                   "<author><name>y</name></author>")
        for feed, entries, wanted, why in (
                (FEED, good, False, "a valid feed"),
                (FEED, good[:2] + [anonymous], True,
                 "an entry without an author in a feed without one"),
                (feed_author, good[:2] + [anonymous], False,
                 "an entry that takes its author from the feed"),
                (FEED, good + [good[1]], True, "two entries with one id"),
                (FEED, good[:2] + [good[2].replace(
                    "2024-01-02T03:04:05Z", "2 January 2024")], True,
                 "an entry with a malformed date"),
                (FEED, good[:2] + [good[2].replace(
                    "<title>c</title>", "")], True,
                 "an entry without a title"),
                (FEED, good + ["<entry>"], True,
                 "a feed that is not well-formed")):
            path = t.write("atom.xml", feed.format(entries="".join(entries)))
            t.expect(why, check_atom(schema, path), wanted)
    return t.failed


def main(argv):
    cmd = argv[1] if len(argv) > 1 else ""
    args = argv[2:]
    if cmd == "xml" and len(args) == 1:
        faults = check_xml(args[0])
    elif cmd == "links" and len(args) == 1:
        faults = check_all_links(args[0])
    elif cmd == "pick" and len(args) == 2:
        lines, faults = pick(*args)
        for line in lines:
            print(line)
    elif cmd == "dom" and len(args) >= 4:
        site, page, dump, post = args[:4]
        faults = check_dom(site, os.path.join(site, page), dump, post,
                           args[4:])
    elif cmd == "feed" and len(args) == 2:
        faults = check_feed(args[0], count_articles(args[1]))
    elif cmd == "html" and len(args) == 2:
        faults = check_html(*args)
    elif cmd == "atom" and len(args) == 2:
        faults = check_atom(*args)
    elif cmd == "selftest" and not args:
        faults = selftest()
    elif cmd == "selftest" and len(args) == 2 and args[0] == "html":
        faults = selftest_html(args[1])
    elif cmd == "selftest" and len(args) == 2 and args[0] == "atom":
        faults = selftest_atom(args[1])
    else:
        print(__doc__, file=sys.stderr)
        return 2
    for f in dict.fromkeys(faults):  # a link repeated on a page once
        print(f, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
