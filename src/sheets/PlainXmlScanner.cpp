#include "PlainXmlScanner.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

enum CharClass : unsigned char
{
    NameStart = 1,
    NameChar = 2,
};

constexpr std::array<unsigned char, 256> charClasses = [] {
    std::array<unsigned char, 256> classes{};
    for (int c = 0; c < 256; ++c) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_')
            classes[c] = NameStart | NameChar;
        else if ((c >= '0' && c <= '9') || c == '.' || c == '-')
            classes[c] = NameChar;
    }
    return classes;
}();

bool isNameStart(char c)
{
    return charClasses[static_cast<unsigned char>(c)] & NameStart;
}

bool isNameChar(char c)
{
    return charClasses[static_cast<unsigned char>(c)] & NameChar;
}

bool isXmlChar(char32_t c)
{
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) ||
           (c >= 0x10000 && c <= 0x10FFFF);
}

// Strict UTF-8 of XML characters: no overlong forms, surrogates or U+FFFE and U+FFFF.
bool isXmlUtf8(QByteArrayView bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        if (end - p >= 8) {
            quint64 eight;
            std::memcpy(&eight, p, 8);
            if ((eight & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        const int length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 ? 2 : 0;
        if (length == 0 || b > 0xF4 || end - p < length)
            return false;
        char32_t c = b & (0xFF >> (length + 1));
        for (int k = 1; k < length; ++k) {
            if ((p[k] & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (p[k] & 0x3F);
        }
        if ((length == 3 && c < 0x800) || (length == 4 && c < 0x10000) || !isXmlChar(c))
            return false;
        p += length;
    }
    return true;
}

qsizetype find(QByteArrayView text, char c, qsizetype from)
{
    const void* found = std::memchr(text.data() + from, c, size_t(text.size() - from));
    return found ? static_cast<const char*>(found) - text.data() : -1;
}

// The character of the reference at text[at] ('&'); 0 for one that is not allowed.
char32_t reference(QByteArrayView text, qsizetype at, qsizetype& length)
{
    const qsizetype semicolon = find(text.first(std::min(text.size(), at + 14)), ';', at);
    if (semicolon < 0)
        return 0;
    length = semicolon - at + 1;
    const QByteArrayView name = text.sliced(at + 1, semicolon - at - 1);
    if (name == "amp")
        return '&';
    if (name == "lt")
        return '<';
    if (name == "gt")
        return '>';
    if (name == "quot")
        return '"';
    if (name == "apos")
        return '\'';
    if (name.size() < 2 || name[0] != '#')
        return 0;
    const bool hex = name[1] == 'x';
    const QByteArrayView digits = name.sliced(hex ? 2 : 1);
    if (digits.isEmpty())
        return 0;
    char32_t c = 0;
    for (const char d : digits) {
        const int v = d >= '0' && d <= '9'          ? d - '0'
                      : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                      : hex && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                    : -1;
        if (v < 0)
            return 0;
        c = c * (hex ? 16 : 10) + char32_t(v);
        if (c > 0x10FFFF)
            return 0;
    }
    return isXmlChar(c) ? c : 0;
}

void appendUtf8(QByteArray& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

} // namespace

PlainXmlScanner::PlainXmlScanner(QByteArrayView document) : m_doc(document)
{
    if (m_doc.startsWith("\xEF\xBB\xBF"))
        m_at = 3;
    if (!isXmlUtf8(m_doc.sliced(m_at)))
        m_failed = true;
    else if (m_doc.sliced(m_at).startsWith("<?xml") && m_doc.size() > m_at + 5 && isBlank(m_doc[m_at + 5]))
        m_failed = !readDeclaration();
}

PlainXmlScanner::Token PlainXmlScanner::giveUp()
{
    m_failed = true;
    return Token::GiveUp;
}

// version="1.0", then optionally encoding (UTF-8 only) and standalone, in that order.
bool PlainXmlScanner::readDeclaration()
{
    const qsizetype end = m_doc.indexOf("?>", m_at);
    if (end < 0)
        return false;
    const QByteArrayView inside = m_doc.sliced(m_at + 5, end - m_at - 5);
    m_at = end + 2;
    qsizetype i = 0;
    int order = 0;
    while (true) {
        const qsizetype before = i;
        while (i < inside.size() && isBlank(inside[i]))
            ++i;
        if (i == inside.size())
            return order > 0;
        if (i == before)
            return false;
        const qsizetype nameStart = i;
        while (i < inside.size() && inside[i] >= 'a' && inside[i] <= 'z')
            ++i;
        const QByteArrayView name = inside.sliced(nameStart, i - nameStart);
        while (i < inside.size() && isBlank(inside[i]))
            ++i;
        if (i == inside.size() || inside[i] != '=')
            return false;
        ++i;
        while (i < inside.size() && isBlank(inside[i]))
            ++i;
        if (i == inside.size() || (inside[i] != '"' && inside[i] != '\''))
            return false;
        const qsizetype close = inside.indexOf(inside[i], i + 1);
        if (close < 0)
            return false;
        const QByteArray value = inside.sliced(i + 1, close - i - 1).toByteArray().toLower();
        i = close + 1;
        if (order == 0 && name == "version" && value == "1.0")
            order = 1;
        else if (order == 1 && name == "encoding" && value == "utf-8")
            order = 2;
        else if (order >= 1 && order < 3 && name == "standalone" && (value == "yes" || value == "no"))
            order = 3;
        else
            return false;
    }
}

bool PlainXmlScanner::readName(bool qualified, qsizetype* colon)
{
    const qsizetype start = m_at;
    for (int part = 0; part < (qualified ? 2 : 1); ++part) {
        if (m_at >= m_doc.size() || !isNameStart(m_doc[m_at]))
            return false;
        while (m_at < m_doc.size() && isNameChar(m_doc[m_at]))
            ++m_at;
        if (m_at >= m_doc.size() || m_doc[m_at] != ':')
            return true;
        if (colon)
            *colon = m_at - start;
        ++m_at;
    }
    return false;
}

bool PlainXmlScanner::checkContent(QByteArrayView content) const
{
    for (qsizetype i = 0; i < content.size(); ++i) {
        const char c = content[i];
        if (c == '&') {
            qsizetype length = 0;
            if (!reference(content, i, length))
                return false;
            i += length - 1;
        } else if ((static_cast<unsigned char>(c) < 0x20 && !isBlank(c)) || c == '<' ||
                   (c == ']' && content.sliced(i).startsWith("]]>"))) {
            return false;
        }
    }
    return true;
}

PlainXmlScanner::Token PlainXmlScanner::next()
{
    if (m_failed)
        return Token::GiveUp;
    if (m_selfClosed) {
        m_selfClosed = false;
        m_name = m_open.back();
        m_open.pop_back();
        return Token::EndElement;
    }
    if (m_open.empty()) {
        // Outside the root element only blanks.
        skipBlanks();
        if (m_at >= m_doc.size())
            return m_rootSeen ? Token::EndOfDocument : giveUp();
        if (m_doc[m_at] != '<')
            return giveUp();
    } else if (m_at >= m_doc.size()) {
        return giveUp();
    }
    if (m_doc[m_at] != '<')
        return readText();
    if (m_at + 1 >= m_doc.size())
        return giveUp();
    const char c = m_doc[m_at + 1];
    if (c == '/')
        return readEndElement();
    if (c == '?' || c == '!')
        return giveUp();
    return readStartElement();
}

PlainXmlScanner::Token PlainXmlScanner::readText()
{
    const char* from = m_doc.data() + m_at;
    const auto* lt = static_cast<const char*>(std::memchr(from, '<', size_t(m_doc.size() - m_at)));
    const qsizetype end = lt ? lt - m_doc.data() : m_doc.size();
    m_text = m_doc.sliced(m_at, end - m_at);
    m_at = end;
    return checkContent(m_text) ? Token::Text : giveUp();
}

PlainXmlScanner::Token PlainXmlScanner::readStartElement()
{
    if (m_open.empty() && m_rootSeen)
        return giveUp();
    ++m_at;
    const qsizetype nameStart = m_at;
    if (!readName(false))
        return giveUp();
    m_name = m_doc.sliced(nameStart, m_at - nameStart);
    m_attributes.clear();
    bool namespaced = false;
    while (true) {
        const bool blank = skipBlanks();
        if (m_at >= m_doc.size())
            return giveUp();
        if (m_doc[m_at] == '>') {
            ++m_at;
            break;
        }
        if (m_doc[m_at] == '/') {
            if (m_at + 1 >= m_doc.size() || m_doc[m_at + 1] != '>')
                return giveUp();
            m_at += 2;
            m_selfClosed = true;
            break;
        }
        const qsizetype attributeStart = m_at;
        qsizetype colon = -1;
        if (!blank || !readName(true, &colon))
            return giveUp();
        const QByteArrayView name = m_doc.sliced(attributeStart, m_at - attributeStart);
        skipBlanks();
        if (m_at >= m_doc.size() || m_doc[m_at] != '=')
            return giveUp();
        ++m_at;
        skipBlanks();
        if (m_at >= m_doc.size() || (m_doc[m_at] != '"' && m_doc[m_at] != '\''))
            return giveUp();
        const qsizetype close = find(m_doc, m_doc[m_at], m_at + 1);
        if (close < 0)
            return giveUp();
        const QByteArrayView value = m_doc.sliced(m_at + 1, close - m_at - 1);
        m_at = close + 1;
        if (!checkContent(value))
            return giveUp();
        const Attribute attribute{name, colon < 0 ? QByteArrayView() : name.first(colon),
                                  name.sliced(colon + 1), value};
        namespaced = namespaced || colon >= 0 || same(name, "xmlns");
        // The same local name twice, whatever the prefixes, is left to the full parser.
        for (const Attribute& other : m_attributes)
            if (same(other.local, attribute.local))
                return giveUp();
        m_attributes.push_back(attribute);
    }

    if (namespaced && !checkNamespaces())
        return giveUp();
    m_rootSeen = true;
    m_open.push_back(m_name);
    return Token::StartElement;
}

// Namespaces are declared on the root element only, and every prefix used is declared.
bool PlainXmlScanner::checkNamespaces()
{
    const bool root = m_open.empty();
    for (const Attribute& a : m_attributes) {
        if (a.name == "xmlns" || a.prefix == "xmlns") {
            const QByteArrayView prefix = a.prefix.isEmpty() ? QByteArrayView() : a.local;
            if (!root || prefix == "xml" || prefix == "xmlns" || (!prefix.isEmpty() && a.value.isEmpty()))
                return false;
            if (!prefix.isEmpty())
                m_prefixes.push_back({prefix, a.value});
        }
    }
    for (const Attribute& a : m_attributes) {
        if (!a.prefix.isEmpty() && a.prefix != "xml" && a.prefix != "xmlns" &&
            std::none_of(m_prefixes.begin(), m_prefixes.end(),
                         [&](const Prefix& p) { return p.name == a.prefix; }))
            return false;
    }
    return true;
}

PlainXmlScanner::Token PlainXmlScanner::readEndElement()
{
    m_at += 2;
    const qsizetype nameStart = m_at;
    if (!readName(false))
        return giveUp();
    const QByteArrayView name = m_doc.sliced(nameStart, m_at - nameStart);
    skipBlanks();
    if (m_at >= m_doc.size() || m_doc[m_at] != '>' || m_open.empty() || !same(m_open.back(), name))
        return giveUp();
    ++m_at;
    m_open.pop_back();
    m_name = name;
    return Token::EndElement;
}

std::optional<QByteArrayView> PlainXmlScanner::attributeInNamespace(QByteArrayView local,
                                                                    QByteArrayView uriEnd) const
{
    for (const Attribute& a : m_attributes) {
        if (a.prefix.isEmpty() || !same(a.local, local))
            continue;
        for (const Prefix& p : m_prefixes)
            if (same(p.name, a.prefix) && p.uri.endsWith(uriEnd))
                return a.value;
    }
    return std::nullopt;
}

std::optional<QByteArrayView> PlainXmlScanner::attribute(QByteArrayView name) const
{
    for (const Attribute& a : m_attributes)
        if (same(a.name, name))
            return a.value;
    return std::nullopt;
}

void PlainXmlScanner::appendText(QByteArray& text) const
{
    qsizetype plain = 0;
    for (qsizetype i = 0; i < m_text.size(); ++i) {
        const char c = m_text[i];
        if (c != '&' && c != '\r')
            continue;
        text.append(m_text.sliced(plain, i - plain));
        if (c == '\r') {
            text += '\n';
            if (i + 1 < m_text.size() && m_text[i + 1] == '\n')
                ++i;
        } else {
            qsizetype length = 0;
            appendUtf8(text, reference(m_text, i, length));
            i += length - 1;
        }
        plain = i + 1;
    }
    text.append(m_text.sliced(plain));
}

std::optional<QByteArrayView> PlainXmlScanner::readOnlyChildText(QByteArrayView child)
{
    if (m_failed || m_selfClosed || m_open.empty())
        return std::nullopt;
    qsizetype at = m_at;
    const auto expect = [&](QByteArrayView bytes) {
        if (m_doc.size() - at < bytes.size() || !same(m_doc.sliced(at, bytes.size()), bytes))
            return false;
        at += bytes.size();
        return true;
    };
    const auto endTag = [&](QByteArrayView name) {
        if (!expect("</") || !expect(name))
            return false;
        while (at < m_doc.size() && isBlank(m_doc[at]))
            ++at;
        return expect(">");
    };
    if (!expect("<") || !expect(child) || !expect(">"))
        return std::nullopt;
    const qsizetype lt = find(m_doc, '<', at);
    if (lt < 0)
        return std::nullopt;
    const QByteArrayView text = m_doc.sliced(at, lt - at);
    for (const char c : text) {
        if (c == '&' || c == '\r' || c == ']' || (static_cast<unsigned char>(c) < 0x20 && !isBlank(c)))
            return std::nullopt;
    }
    at = lt;
    if (!endTag(child) || !endTag(m_open.back()))
        return std::nullopt;
    m_at = at;
    m_name = m_open.back();
    m_open.pop_back();
    return text;
}
