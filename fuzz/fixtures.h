// The fixed documents that stand beside a fuzzed one: articles for the
// harnesses that fuzz a template, templates for those that fuzz articles.
// Small, but each uses the features its counterpart reacts to: tags, set
// keys, dates, pins, source names, titles, asides, authors, images,
// language suffixes, slots, navigation lists and entry slots.
#ifndef VORN_FUZZ_FIXTURES_H_
#define VORN_FUZZ_FIXTURES_H_

#include <string_view>

// One article with every captured part.
inline constexpr std::string_view kArticle =
    R"(<?xml version="1.0" encoding="UTF-8"?>
<article xmlns="http://www.w3.org/1999/xhtml" data-vorn-article="1"
         data-vorn-tags="meteors club\ nights" data-vorn-set-event="Club night"
         data-vorn-set-when="13 August" data-vorn-lang="en"
         data-vorn-source="perseids.en.xml">
  <header>
    <h1>Counting <em>Perseids</em> &amp; more</h1>
    <time datetime="2021-08-13T02:40:00Z">13 August 2021</time>
    <address>Hannah <b>L.</b></address>
  </header>
  <aside>47 Perseids &nbsp; and 6 others.</aside>
  <img src="fireball.jpg" alt="A fireball"/>
  <p>${vorn-title} at ${vorn-get|where}: ${vorn-pos}/${vorn-count}.</p>
  <article><p>nested</p></article>
</article>
)";

// Several articles in one file: pins, tags, set keys, dates without a
// time, one without a date, const- attributes.
inline constexpr std::string_view kArticleList =
    R"(<list>
<p data-vorn-article="1" data-vorn-source="a.xml" data-vorn-datetime="2020-02-01" data-vorn-tags="news" data-vorn-set-k="v&quot;1">Alpha ${vorn-get|k}</p>
<div data-vorn-article="true" data-vorn-source="sub/b.xml" data-vorn-sort="last" data-vorn-title="Bravo"><h2>B</h2><time datetime="2019-12-31"/></div>
<section data-vorn-article="TRUE" data-vorn-source="c.xml" data-vorn-tags="news misc" data-vorn-sort="first" data-vorn-const-aside="short" data-vorn-const-datetime="2022-05-06T07:08:09+02:00"><h3>charlie</h3><aside>an aside</aside></section>
<p data-vorn-article="0">not an article</p>
</list>
)";

// The source names of kArticle and kArticleList, for -C.
inline constexpr const char* kFixtureSources[] = {"perseids.en.xml", "a.xml",
                                                  "sub/b.xml", "c.xml"};

// A template for -c.
inline constexpr std::string_view kPageTemplate =
    R"(<!DOCTYPE html>
<html xmlns="http://www.w3.org/1999/xhtml" lang="en-GB">
<head><title>${vorn-titletext} - ${vorn-authortext}</title>
<meta name="description" content="${vorn-asidetext} ${vorn-get-escaped|event}"/></head>
<body class="${vorn-has|event}">
<p>${vorn-get|event}: ${vorn-date} ${vorn-datetime-fmt|%Y} ${vorn-img}</p>
<div data-vorn-article="1"/>
<p>${vorn-tags} ${vorn-tags|me} ${vorn-stripbase} ${vorn-striplangbase} ${vorn-url}&nbsp;</p>
</body>
</html>
)";

// A template for the blog page, -C and -L: slots with and without
// filters and links, and navigation lists of every style.
inline constexpr std::string_view kBlogTemplate =
    R"(<html xmlns="http://www.w3.org/1999/xhtml">
<head><title>${vorn-title}</title></head>
<body>
<div data-vorn-article="1" data-vorn-permlink="1"/>
<div data-vorn-article="1" data-vorn-articletag="news"/>
<div data-vorn-article="1" data-vorn-ign-once="1">kept</div>
<ul data-vorn-nav="1" data-vorn-navstyle-content="keep" data-vorn-navsort="title">
<li><a href="${vorn-stripbase}.html">${vorn-title}</a> ${vorn-date}</li></ul>
<nav data-vorn-nav="1" data-vorn-navtag="news" data-vorn-navsz="2" data-vorn-navstart="1"/>
<p data-vorn-nav="1" data-vorn-navxml="1" data-vorn-navstyle-element="keep-strip">${vorn-next-stripbase}|${vorn-prev-has};</p>
<p>${vorn-pos-pct} ${vorn-next-base} ${vorn-prev-base} ${vorn-first-base} ${vorn-last-base}</p>
</body>
</html>
)";

// A template for the Atom feed.
inline constexpr std::string_view kAtomTemplate =
    R"(<?xml version="1.0" encoding="UTF-8"?>
<feed xmlns="http://www.w3.org/2005/Atom">
  <title>Sky Log</title>
  <link rel="alternate" type="text/html" href="https://example.org/"/>
  <link rel="self" href="https://example.org/atom.xml"/>
  <id></id>
  <updated></updated>
  <entry data-vorn-entry="1" data-vorn-content="1" data-vorn-altlink="1"
         data-vorn-altlink-fmt="https://example.org/${vorn-stripbase}.html"/>
  <entry data-vorn-entry="1" data-vorn-forall="1" data-vorn-atomcontent="1"/>
</feed>
)";

#endif  // VORN_FUZZ_FIXTURES_H_
