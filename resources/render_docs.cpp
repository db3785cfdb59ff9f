// Renders one of the user's Markdown documents to an HTML page at build
// time, through the CommonMark reference library: every heading gets an
// anchor (the slug a Git host gives it, and for a heading that starts with
// calendar codes, "CE and JC: ...", one per code), links to the other
// rendered documents point at their pages, and the page has the look of
// index.html with a link back to it.
//
//   render_docs --title TITLE [--section HEADING] SOURCE.md OUT.html
//
// --section takes only that "## HEADING" section of the source (the
// command-line tool's part of the README).
#include <cmark.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The documents that are rendered, by their Markdown names.
const char* const kRendered[] = {"calendars", "astronomy", "command-line", "printing"};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return in ? s.str() : std::string();
}

// The lines from "## heading" up to the next heading of level 1 or 2.
std::string Section(const std::string& text, const std::string& heading) {
    std::istringstream in(text);
    std::string line, out;
    bool inside = false;
    while (std::getline(in, line)) {
        const bool top = line.rfind("# ", 0) == 0 || line.rfind("## ", 0) == 0;
        if (inside && top) break;
        if (line == "## " + heading) inside = true;
        if (inside) out += line + "\n";
    }
    return out;
}

std::string PlainText(cmark_node* node) {
    std::string text;
    cmark_iter* it = cmark_iter_new(node);
    for (cmark_event_type ev; (ev = cmark_iter_next(it)) != CMARK_EVENT_DONE;) {
        cmark_node* n = cmark_iter_get_node(it);
        const cmark_node_type type = cmark_node_get_type(n);
        if (ev == CMARK_EVENT_ENTER && (type == CMARK_NODE_TEXT || type == CMARK_NODE_CODE))
            text += cmark_node_get_literal(n);
    }
    cmark_iter_free(it);
    return text;
}

// As a Git host writes a heading's anchor: lower case, punctuation dropped,
// spaces as hyphens.
std::string Slug(const std::string& text) {
    std::string slug;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '_' || c >= 0x80)
            slug += static_cast<char>(std::tolower(c));
        else if (c == ' ')
            slug += '-';
    }
    return slug;
}

// "CE and JC: ..." and "CJD and AJD": the codes before the colon, each an
// anchor of its own ("ce", "jc").
std::vector<std::string> CodeAnchors(const std::string& text) {
    const std::string head = text.substr(0, text.find(':'));
    std::vector<std::string> codes;
    std::istringstream words(head);
    for (std::string w; words >> w;) {
        if (w == "and") continue;
        for (char c : w)
            if (!std::isupper(static_cast<unsigned char>(c))) return {};
        std::string lower;
        for (char c : w) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        codes.push_back(lower);
    }
    return codes;
}

// "docs/astronomy.md#x" or "calendars.md" to the rendered page; images out
// of docs/ as the pages sit beside them.
std::string PageLink(std::string url) {
    if (url.find("://") != std::string::npos || url.rfind("mailto:", 0) == 0) return url;
    if (url.rfind("docs/", 0) == 0) url.erase(0, 5);
    const size_t hash = url.find('#');
    const std::string path = url.substr(0, hash), fragment = hash == std::string::npos ? "" : url.substr(hash);
    for (const char* page : kRendered)
        if (path == std::string(page) + ".md") return std::string(page) + ".html" + fragment;
    return url;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    return out;
}

// Every heading its anchors; every link to a rendered document its page.
void AnchorsAndLinks(cmark_node* doc) {
    std::set<std::string> used;
    std::vector<cmark_node*> headings, links;
    cmark_iter* it = cmark_iter_new(doc);
    for (cmark_event_type ev; (ev = cmark_iter_next(it)) != CMARK_EVENT_DONE;) {
        if (ev != CMARK_EVENT_ENTER) continue;
        cmark_node* n = cmark_iter_get_node(it);
        if (cmark_node_get_type(n) == CMARK_NODE_HEADING) headings.push_back(n);
        if (cmark_node_get_type(n) == CMARK_NODE_LINK || cmark_node_get_type(n) == CMARK_NODE_IMAGE) links.push_back(n);
    }
    cmark_iter_free(it);
    for (cmark_node* h : headings) {
        const std::string text = PlainText(h);
        std::vector<std::string> ids = CodeAnchors(text);
        std::string slug = Slug(text);
        for (int n = 1; used.count(slug) != 0; ++n) slug = Slug(text) + "-" + std::to_string(n);
        ids.insert(ids.begin(), slug);
        std::string anchors;
        for (const std::string& id : ids)
            if (used.insert(id).second) anchors += "<a id=\"" + Escape(id) + "\"></a>";
        cmark_node* html = cmark_node_new(CMARK_NODE_HTML_INLINE);
        cmark_node_set_literal(html, anchors.c_str());
        cmark_node_prepend_child(h, html);
    }
    for (cmark_node* l : links) cmark_node_set_url(l, PageLink(cmark_node_get_url(l)).c_str());
}

}  // namespace

int main(int argc, char** argv) {
    std::string title, section, source, output;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--title" && i + 1 < argc)
            title = argv[++i];
        else if (a == "--section" && i + 1 < argc)
            section = argv[++i];
        else if (source.empty())
            source = a;
        else
            output = a;
    }
    if (title.empty() || source.empty() || output.empty()) {
        std::cerr << "usage: render_docs --title TITLE [--section HEADING] SOURCE.md OUT.html\n";
        return 2;
    }
    std::string markdown = ReadFile(source);
    if (!section.empty()) markdown = Section(markdown, section);
    if (markdown.empty()) {
        std::cerr << "render_docs: nothing to render in " << source << (section.empty() ? "" : " ## " + section)
                  << "\n";
        return 1;
    }

    cmark_node* doc = cmark_parse_document(markdown.data(), markdown.size(), CMARK_OPT_DEFAULT);
    AnchorsAndLinks(doc);
    // Unsafe only so that the anchors above are kept: the sources are our own.
    char* body = cmark_render_html(doc, CMARK_OPT_UNSAFE);
    cmark_node_free(doc);

    std::ofstream out(output, std::ios::binary);
    out << "<!DOCTYPE html>\n<html lang=\"en\">\n<head><meta charset=\"utf-8\"><title>" << Escape(title)
        << "</title>\n<style>body{font-family:sans-serif;max-width:48em;margin:2em auto;line-height:1.45;color:#123;"
           "background:#f6f6fb}h1,h2,h3{color:#002}code{background:#e6e6f0;padding:0 .2em}"
           "pre{background:#e6e6f0;padding:.5em;overflow-x:auto}table{border-collapse:collapse}"
           "th,td{border:1px solid #889;padding:.2em .4em}img{max-width:100%}</style></head>\n<body>\n"
        << "<p><a href=\"index.html\">Vexaril documentation</a></p>\n"
        << body << "</body>\n</html>\n";
    std::free(body);
    out.close();
    if (!out) {
        std::cerr << "render_docs: cannot write " << output << "\n";
        return 1;
    }
    return 0;
}
