// SPDX-FileCopyrightText: 2026 The Lumivane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/JsonTree.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

constexpr int kMaxDepth = 64;

char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

// The camelCase name of an ASCII key, one character at a time, by the decoder's key rule:
// keys without an underscore stay as they are; otherwise leading and trailing underscores stay,
// the words between are joined, the first in lower case, the others capitalised.
template<typename Emit> void convertedName(const char *key, std::uint32_t length, Emit emit)
{
    bool underscore = false;
    for (std::uint32_t i = 0; i < length && !underscore; ++i)
        underscore = key[i] == '_';
    std::uint32_t first = 0;
    while (first < length && key[first] == '_')
        ++first;
    if (!underscore || first == length) {
        for (std::uint32_t i = 0; i < length; ++i)
            emit(key[i]);
        return;
    }
    std::uint32_t last = length - 1;
    while (last > first && key[last] == '_')
        --last;
    for (std::uint32_t i = 0; i < first; ++i)
        emit('_');
    bool firstWord = true, wordStart = true;
    for (std::uint32_t i = first; i <= last; ++i) {
        if (key[i] == '_') {
            wordStart = true;
            continue;
        }
        if (wordStart && !firstWord)
            emit(asciiUpper(key[i]));
        else
            emit(asciiLower(key[i]));
        if (wordStart)
            firstWord = false;
        wordStart = false;
    }
    for (std::uint32_t i = last + 1; i < length; ++i)
        emit(key[i]);
}

struct Fnv {
    std::uint32_t h = 2166136261u;
    void operator()(char c) { h = (h ^ std::uint8_t(c)) * 16777619u; }
};

std::uint32_t nameHash(const char *key, std::uint32_t length)
{
    Fnv fnv;
    convertedName(key, length, [&](char c) { fnv(c); });
    return fnv.h;
}

std::string nameOf(const char *key, std::uint32_t length)
{
    std::string name;
    convertedName(key, length, [&](char c) { name += c; });
    return name;
}

bool nonCharacter(char32_t c)
{
    return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool readHex4(const char *p, const char *end, char32_t &out)
{
    if (end - p < 4)
        return false;
    out = 0;
    for (int i = 0; i < 4; ++i) {
        const int v = hexValue(p[i]);
        if (v < 0)
            return false;
        out = (out << 4) | char32_t(v);
    }
    return true;
}

} // namespace

class JsonTreeParser
{
public:
    explicit JsonTreeParser(JsonTree &tree)
        : t(tree)
        , begin(tree.m_body.constData())
        , p(begin)
        , end(begin + tree.m_body.size())
    {
    }

    bool run()
    {
        skipSpace();
        if (p == end || (*p != '{' && *p != '['))
            return false;
        if (!value(0))
            return false;
        skipSpace();
        return p == end;
    }

private:
    using Node = JsonTree::Node;
    using Type = JsonTree::Type;

    void skipSpace()
    {
        while (p != end && (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t'))
            ++p;
    }

    std::uint32_t addNode(const Node &node)
    {
        t.m_nodes.push_back(node);
        return std::uint32_t(t.m_nodes.size() - 1);
    }

    bool literal(const char *word, std::size_t length)
    {
        if (std::size_t(end - p) < length || std::char_traits<char>::compare(p, word, length) != 0)
            return false;
        p += length;
        return true;
    }

    bool value(int depth)
    {
        if (p == end)
            return false;
        switch (*p) {
        case '{': return object(depth + 1);
        case '[': return array(depth + 1);
        case '"': {
            Node node;
            node.type = Type::String;
            if (!string(node))
                return false;
            addNode(node);
            return true;
        }
        case 't':
        case 'f': {
            Node node;
            node.type = Type::Bool;
            node.flag = *p == 't';
            if (!(node.flag ? literal("true", 4) : literal("false", 5)))
                return false;
            addNode(node);
            return true;
        }
        case 'n':
            if (!literal("null", 4))
                return false;
            addNode(Node{});
            return true;
        default: return number();
        }
    }

    // A string's raw bytes, checked: standard escapes only, no control characters, strict UTF-8,
    // no non-characters, no lone surrogates, no escaped NUL.
    bool string(Node &node)
    {
        ++p; // opening quote
        const char *start = p;
        bool escaped = false;
        while (true) {
            if (p == end)
                return false;
            const auto c = std::uint8_t(*p);
            if (c == '"')
                break;
            if (c < 0x20)
                return false;
            if (c == '\\') {
                escaped = true;
                if (++p == end)
                    return false;
                switch (*p) {
                case '"': case '\\': case '/': case 'b': case 'f': case 'n': case 'r': case 't': ++p; break;
                case 'u': {
                    char32_t unit;
                    if (!readHex4(p + 1, end, unit) || unit == 0)
                        return false;
                    p += 5;
                    if (unit >= 0xDC00 && unit <= 0xDFFF)
                        return false;
                    if (unit >= 0xD800 && unit <= 0xDBFF) {
                        char32_t low;
                        if (end - p < 6 || p[0] != '\\' || p[1] != 'u' || !readHex4(p + 2, end, low) || low < 0xDC00 ||
                            low > 0xDFFF)
                            return false;
                        p += 6;
                        unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                    }
                    if (nonCharacter(unit))
                        return false;
                    break;
                }
                default: return false;
                }
                continue;
            }
            if (c < 0x80) {
                ++p;
                continue;
            }
            if (!utf8(c))
                return false;
        }
        node.first = std::uint32_t(start - begin);
        node.count = std::uint32_t(p - start);
        node.flag = escaped;
        ++p; // closing quote
        return true;
    }

    bool utf8(std::uint8_t lead)
    {
        int extra;
        char32_t cp;
        std::uint8_t low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2;
            cp = lead & 0x0F;
            if (lead == 0xE0)
                low = 0xA0;
            if (lead == 0xED)
                high = 0x9F; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3;
            cp = lead & 0x07;
            if (lead == 0xF0)
                low = 0x90;
            if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        for (int i = 1; i <= extra; ++i) {
            const auto b = std::uint8_t(p[i]);
            if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF))
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (nonCharacter(cp))
            return false;
        p += extra + 1;
        return true;
    }

    bool number()
    {
        const char *start = p;
        if (p != end && *p == '-')
            ++p;
        if (p == end)
            return false;
        if (*p == '0') {
            ++p;
        } else if (*p >= '1' && *p <= '9') {
            while (p != end && *p >= '0' && *p <= '9')
                ++p;
        } else {
            return false;
        }
        bool integral = true;
        if (p != end && *p == '.') {
            integral = false;
            ++p;
            const char *digits = p;
            while (p != end && *p >= '0' && *p <= '9')
                ++p;
            if (p == digits)
                return false;
        }
        if (p != end && (*p == 'e' || *p == 'E')) {
            integral = false;
            ++p;
            if (p != end && (*p == '+' || *p == '-'))
                ++p;
            const char *digits = p;
            while (p != end && *p >= '0' && *p <= '9')
                ++p;
            if (p == digits)
                return false;
        }
        Node node;
        node.type = Type::Number;
        const char *digits = *start == '-' ? start + 1 : start;
        if (integral && p - digits <= 15) {
            std::int64_t n = 0;
            for (const char *d = digits; d != p; ++d)
                n = n * 10 + (*d - '0');
            node.number = double(*start == '-' ? -n : n);
        } else {
            const auto [ptr, ec] = std::from_chars(start, p, node.number);
            if (ec != std::errc() || ptr != p || !std::isfinite(node.number))
                return false;
        }
        addNode(node);
        return true;
    }

    bool array(int depth)
    {
        if (depth > kMaxDepth)
            return false;
        ++p;
        const std::uint32_t self = addNode(Node{Type::Array});
        const std::size_t mark = elementStack.size();
        skipSpace();
        if (p != end && *p == ']') {
            ++p;
        } else {
            while (true) {
                skipSpace();
                elementStack.push_back(std::uint32_t(t.m_nodes.size()));
                if (!value(depth))
                    return false;
                skipSpace();
                if (p == end)
                    return false;
                if (*p == ',') {
                    ++p;
                    continue;
                }
                if (*p != ']')
                    return false;
                ++p;
                break;
            }
        }
        Node &node = t.m_nodes[self];
        node.first = std::uint32_t(t.m_elements.size());
        node.count = std::uint32_t(elementStack.size() - mark);
        t.m_elements.insert(t.m_elements.end(), elementStack.begin() + std::ptrdiff_t(mark), elementStack.end());
        elementStack.resize(mark);
        return true;
    }

    bool object(int depth)
    {
        if (depth > kMaxDepth)
            return false;
        ++p;
        const std::uint32_t self = addNode(Node{Type::Object});
        const std::size_t mark = memberStack.size();
        skipSpace();
        if (p != end && *p == '}') {
            ++p;
        } else {
            while (true) {
                skipSpace();
                if (p == end || *p != '"')
                    return false;
                Node key;
                if (!string(key) || key.flag)
                    return false;
                const char *keyText = begin + key.first;
                for (std::uint32_t i = 0; i < key.count; ++i) {
                    if (std::uint8_t(keyText[i]) >= 0x80)
                        return false;
                }
                skipSpace();
                if (p == end || *p != ':')
                    return false;
                ++p;
                skipSpace();
                const std::uint32_t hash = nameHash(keyText, key.count);
                for (std::size_t i = mark; i < memberStack.size(); ++i) {
                    const JsonTree::Member &other = memberStack[i];
                    if (other.nameHash == hash &&
                        nameOf(begin + other.keyOffset, other.keyLength) == nameOf(keyText, key.count))
                        return false; // two keys for one name: QJsonDocument's rules decide
                }
                memberStack.push_back(JsonTree::Member{key.first, key.count, hash, std::uint32_t(t.m_nodes.size())});
                if (!value(depth))
                    return false;
                skipSpace();
                if (p == end)
                    return false;
                if (*p == ',') {
                    ++p;
                    continue;
                }
                if (*p != '}')
                    return false;
                ++p;
                break;
            }
        }
        Node &node = t.m_nodes[self];
        node.first = std::uint32_t(t.m_members.size());
        node.count = std::uint32_t(memberStack.size() - mark);
        t.m_members.insert(t.m_members.end(), memberStack.begin() + std::ptrdiff_t(mark), memberStack.end());
        memberStack.resize(mark);
        return true;
    }

    JsonTree &t;
    const char *begin;
    const char *p;
    const char *end;
    std::vector<std::uint32_t> elementStack;
    std::vector<JsonTree::Member> memberStack;
};

std::optional<JsonTree> JsonTree::parse(const QByteArray &body)
{
    if (body.size() >= qsizetype(UINT32_MAX))
        return std::nullopt;
    JsonTree tree;
    tree.m_body = body;
    tree.m_nodes.reserve(std::size_t(body.size() / 12) + 4);
    JsonTreeParser parser(tree);
    if (!parser.run())
        return std::nullopt;
    return tree;
}

JsonTree::Value JsonTree::root() const
{
    return Value(this, 0);
}

QString JsonTree::stringAt(const Node &node) const
{
    const char *s = m_body.constData() + node.first;
    if (!node.flag)
        return QString::fromUtf8(s, qsizetype(node.count));
    // Escapes: copy the plain runs as UTF-8, the escapes as UTF-16 units.
    QString out;
    out.reserve(qsizetype(node.count));
    const char *end = s + node.count;
    const char *run = s;
    while (s != end) {
        if (*s != '\\') {
            ++s;
            continue;
        }
        out += QString::fromUtf8(run, s - run);
        ++s;
        switch (*s) {
        case 'b': out += QChar(u'\b'); break;
        case 'f': out += QChar(u'\f'); break;
        case 'n': out += QChar(u'\n'); break;
        case 'r': out += QChar(u'\r'); break;
        case 't': out += QChar(u'\t'); break;
        case 'u': {
            char32_t unit;
            readHex4(s + 1, end, unit);
            s += 4;
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                char32_t low;
                readHex4(s + 3, end, low);
                s += 6;
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            }
            out += QString::fromUcs4(&unit, 1);
            break;
        }
        default: out += QChar(char16_t(*s)); break; // " \ /
        }
        ++s;
        run = s;
    }
    out += QString::fromUtf8(run, s - run);
    return out;
}

JsonTree::Object JsonTree::Value::toObject() const
{
    return Object(m_tree, isObject() ? &node() : nullptr);
}

JsonTree::Array JsonTree::Value::toArray() const
{
    return Array(m_tree, isArray() ? &node() : nullptr);
}

std::optional<JsonTree::Value> JsonTree::Object::find(const QString &name) const
{
    if (!m_node)
        return std::nullopt;
    Fnv fnv;
    for (QChar c : name) {
        if (c.unicode() >= 0x80)
            return std::nullopt; // every key here is ASCII
        fnv(char(c.unicode()));
    }
    const Member *member = m_tree->m_members.data() + m_node->first;
    for (std::uint32_t i = 0; i < m_node->count; ++i, ++member) {
        if (member->nameHash != fnv.h)
            continue;
        qsizetype at = 0;
        bool same = true;
        convertedName(m_tree->m_body.constData() + member->keyOffset, member->keyLength, [&](char c) {
            same = same && at < name.size() && name[at] == QLatin1Char(c);
            ++at;
        });
        if (same && at == name.size())
            return Value(m_tree, member->value);
    }
    return std::nullopt;
}
