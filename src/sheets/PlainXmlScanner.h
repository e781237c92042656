#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>
#include <vector>

// A strict and quick reader for the plain XML that spreadsheet programs write in bulk:
// elements, attributes, text, the predefined entities and character references, in UTF-8.
// It gives up on anything else (a document type, CDATA, comments, processing instructions,
// prefixed element names, namespaces declared below the root element) and on any fault, so
// that the caller reads the part with QXmlStreamReader instead and meets its result or error.
class PlainXmlScanner
{
public:
    enum class Token
    {
        StartElement,
        EndElement,
        Text,
        EndOfDocument,
        GiveUp
    };

    explicit PlainXmlScanner(QByteArrayView document);

    Token next();

    // Where the next token starts, and how many elements are open there.
    qsizetype position() const { return m_at; }
    qsizetype depth() const { return qsizetype(m_open.size()); }

    // The name of the current start or end element.
    QByteArrayView name() const { return m_name; }
    bool isNamed(QByteArrayView name) const { return same(m_name, name); }
    // Byte for byte, quicker than a library call for the short names compared here.
    static bool same(QByteArrayView a, QByteArrayView b)
    {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i)
            if (a[i] != b[i])
                return false;
        return true;
    }
    // An attribute of the current start element by its qualified name, as written.
    std::optional<QByteArrayView> attribute(QByteArrayView name) const;
    // An attribute of the current start element by its local name, with a prefix bound to a
    // namespace whose URI ends with uriEnd ("/relationships").
    std::optional<QByteArrayView> attributeInNamespace(QByteArrayView local, QByteArrayView uriEnd) const;
    // Appends the current text in UTF-8, its references resolved and its line ends made "\n".
    void appendText(QByteArray& text) const;
    // The commonest content in one step: when the current start element holds nothing but a
    // child element of that name with plain text (no references, no carriage returns), reads
    // through the end of the current element and gives the text. Otherwise reads nothing.
    std::optional<QByteArrayView> readOnlyChildText(QByteArrayView child);

private:
    static bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

    Token giveUp();
    bool readDeclaration();
    Token readStartElement();
    Token readEndElement();
    Token readText();
    // colon: where a qualified name has its colon, counted from the name's start.
    bool readName(bool qualified, qsizetype* colon = nullptr);
    bool checkNamespaces();
    bool skipBlanks()
    {
        const qsizetype before = m_at;
        while (m_at < m_doc.size() && isBlank(m_doc[m_at]))
            ++m_at;
        return m_at > before;
    }
    // Checks the characters and references of text or of an attribute value.
    bool checkContent(QByteArrayView content) const;

    QByteArrayView m_doc;
    qsizetype m_at = 0;
    bool m_failed = false;
    bool m_rootSeen = false;
    bool m_selfClosed = false;
    std::vector<QByteArrayView> m_open;
    struct Prefix
    {
        QByteArrayView name;
        QByteArrayView uri;
    };
    std::vector<Prefix> m_prefixes; // declared on the root element
    struct Attribute
    {
        QByteArrayView name;
        QByteArrayView prefix; // empty without one
        QByteArrayView local;
        QByteArrayView value;
    };
    std::vector<Attribute> m_attributes;
    QByteArrayView m_name;
    QByteArrayView m_text;
};
