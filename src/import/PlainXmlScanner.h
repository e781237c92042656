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

    // The name of the current start or end element.
    QByteArrayView name() const { return m_name; }
    // An attribute of the current start element by its qualified name, as written.
    std::optional<QByteArrayView> attribute(QByteArrayView name) const;
    // Appends the current text in UTF-8, its references resolved and its line ends made "\n".
    void appendText(QByteArray& text) const;

private:
    Token giveUp();
    bool readDeclaration();
    Token readStartElement();
    Token readEndElement();
    Token readText();
    bool readName(bool qualified);
    bool skipBlanks();
    // Checks the characters and references of text or of an attribute value.
    bool checkContent(QByteArrayView content) const;

    QByteArrayView m_doc;
    qsizetype m_at = 0;
    bool m_failed = false;
    bool m_rootSeen = false;
    bool m_selfClosed = false;
    std::vector<QByteArrayView> m_open;
    std::vector<QByteArrayView> m_prefixes; // declared on the root element
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
