// Profile file text: one classification of lines shared by the reader and the writer, so that the
// line the writer updates is always the line the reader takes the value from.
#include "core/File_ini_text.h"

#include <cstring>
#include <strings.h>

namespace zelta {

namespace {

const char* const ByteOrderMark = "\xEF\xBB\xBF";

// A line without its line end, and that end: "\n", "\r\n", or nothing for a last line without one.
struct Line {
    std::string text;
    std::string end;
};

std::vector<Line> splitLines(const std::string& text) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t newline = text.find('\n', pos);
        if (newline == std::string::npos) {
            lines.push_back({text.substr(pos), ""});
            break;
        }
        size_t end = newline > pos && text[newline - 1] == '\r' ? newline - 1 : newline;
        lines.push_back({text.substr(pos, end - pos), text.substr(end, newline + 1 - end)});
        pos = newline + 1;
    }
    return lines;
}

// What a line is to a reader: blank or comment, a section header (name: the section, empty when
// the bracket is not closed), a "key=value" line (name: the key), or other text.
struct LineKind {
    enum Kind { Blank, Header, KeyLine, Text } kind;
    std::string name;
};

LineKind classify(const std::string& text) {
    std::string line = trimSpaces(text);
    if (line.empty() || line[0] == ';' || line[0] == '#')
        return {LineKind::Blank, {}};
    if (line[0] == '[') {
        size_t close = line.find(']');
        return {LineKind::Header,
                close == std::string::npos ? std::string() : trimSpaces(line.substr(1, close - 1))};
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos)
        return {LineKind::Text, {}};
    return {LineKind::KeyLine, trimSpaces(line.substr(0, eq))};
}

// Replaces the value of a "key=value" line, keeping the key as spelt and the spaces around the value.
void putValue(std::string& line, const std::string& value) {
    size_t start = line.find('=') + 1;
    size_t b = line.find_first_not_of(" \t\r", start);
    size_t e = b == std::string::npos ? start : line.find_last_not_of(" \t\r") + 1;
    if (b == std::string::npos)
        b = start;
    line.replace(b, e - b, value);
}

std::string freshText(const std::vector<ProfileValue>& values) {
    std::string text;
    const char* section = "";
    for (const ProfileValue& v : values) {
        if (std::strcmp(section, v.section) != 0) {
            section = v.section;
            text += std::string("[") + section + "]\n";
        }
        text += std::string(v.key) + "=" + v.value + "\n";
    }
    return text;
}

} // namespace

std::string trimSpaces(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    size_t e = s.find_last_not_of(" \t\r");
    return s.substr(b, e - b + 1);
}

bool sameName(const std::string& a, const char* b) {
    return strcasecmp(a.c_str(), b) == 0;
}

bool findProfileValue(const std::string& text, const char* section, const char* key, std::string& value) {
    bool inSection = false;
    for (const Line& line : splitLines(text)) {
        LineKind kind = classify(line.text);
        if (kind.kind == LineKind::Header) {
            inSection = sameName(kind.name, section);
        } else if (kind.kind == LineKind::KeyLine && inSection && sameName(kind.name, key)) {
            value = trimSpaces(line.text.substr(line.text.find('=') + 1));
            return true;
        }
    }
    return false;
}

std::string profileWithValues(const std::string& text, const std::vector<ProfileValue>& values) {
    const bool marked = text.compare(0, 3, ByteOrderMark) == 0;
    std::vector<Line> lines = splitLines(marked ? text.substr(3) : text);

    // Our sections in the order of values; for the first header of each in the file, its line
    // and the last line of its body that is not blank or a comment (missing keys go after it, so
    // that a comment above the next header stays with that header).
    struct Section {
        const char* name;
        int header = -1;
        int last = -1;
    };
    std::vector<Section> sections;
    for (const ProfileValue& v : values)
        if (sections.empty() || std::strcmp(sections.back().name, v.section) != 0)
            sections.push_back({v.section});

    std::vector<int> lineOf(values.size(), -1);
    bool onlyOurs = !marked;
    int current = -1;
    bool firstOfItsName = false;
    for (int i = 0; i < static_cast<int>(lines.size()); ++i) {
        LineKind kind = classify(lines[i].text);
        if (kind.kind == LineKind::Header) {
            current = -1;
            for (size_t s = 0; s < sections.size(); ++s)
                if (sameName(kind.name, sections[s].name))
                    current = static_cast<int>(s);
            firstOfItsName = current >= 0 && sections[current].header < 0;
            if (firstOfItsName)
                sections[current].header = sections[current].last = i;
            else
                onlyOurs = false;
            continue;
        }
        if (kind.kind == LineKind::Blank) {
            onlyOurs = false;
            continue;
        }
        if (current >= 0 && firstOfItsName)
            sections[current].last = i;
        int found = -1;
        if (kind.kind == LineKind::KeyLine && current >= 0)
            for (size_t v = 0; v < values.size(); ++v)
                if (sameName(sections[current].name, values[v].section) && sameName(kind.name, values[v].key))
                    found = static_cast<int>(v);
        // The reader takes the first line of a key; a later one is left as it is.
        if (found >= 0 && lineOf[found] < 0)
            lineOf[found] = i;
        else
            onlyOurs = false;
    }
    if (onlyOurs)
        return freshText(values);

    std::string newline = "\n";
    for (const Line& line : lines)
        if (!line.end.empty()) {
            newline = line.end;
            break;
        }
    std::vector<std::string> added(lines.size());
    std::string tail;
    for (const Section& section : sections) {
        std::string& into = section.header >= 0 ? added[section.last] : tail;
        if (section.header < 0)
            into += std::string("[") + section.name + "]" + newline;
        for (size_t v = 0; v < values.size(); ++v)
            if (std::strcmp(values[v].section, section.name) == 0 && lineOf[v] < 0)
                into += std::string(values[v].key) + "=" + values[v].value + newline;
    }
    for (size_t v = 0; v < values.size(); ++v)
        if (lineOf[v] >= 0)
            putValue(lines[lineOf[v]].text, values[v].value);

    std::string out = marked ? ByteOrderMark : "";
    const size_t start = out.size();
    auto append = [&](const std::string& more) {
        if (more.empty())
            return;
        if (out.size() > start && out.back() != '\n')
            out += newline;
        out += more;
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        out += lines[i].text + lines[i].end;
        append(added[i]);
    }
    append(tail);
    return out;
}

} // namespace zelta
