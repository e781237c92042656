#include "TextPlausibility.h"

namespace {

enum class Script
{
    Other,
    Latin,
    Cyrillic,
    Greek
};

Script scriptOf(QChar c)
{
    const char16_t u = c.unicode();
    if ((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') ||
        (u >= 0x00C0 && u <= 0x024F && u != 0x00D7 && u != 0x00F7))
        return Script::Latin;
    if (u >= 0x0400 && u <= 0x04FF)
        return Script::Cyrillic;
    if (u >= 0x0370 && u <= 0x03FF)
        return Script::Greek;
    return Script::Other;
}

bool isC1Control(QChar c)
{
    return c.unicode() >= 0x80 && c.unicode() <= 0x9F;
}

bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || isC1Control(c) || c.unicode() >= 0x80;
}

bool looksMisread(QStringView word)
{
    Script script = Script::Other;
    int letters = 0;
    int accented = 0;
    bool small = false;
    for (const QChar c : word) {
        if (isC1Control(c))
            return true;
        const Script s = scriptOf(c);
        if (s == Script::Other)
            continue;
        if (script != Script::Other && s != script)
            return true;
        script = s;
        if (c.isUpper() && small && c.unicode() >= 0x80)
            return true;
        small = c.isLower();
        ++letters;
        accented += c.unicode() >= 0x80;
    }
    return script == Script::Latin && letters >= 4 && 2 * accented > letters;
}

} // namespace

void TextPlausibility::feed(QStringView text)
{
    for (const QChar c : text) {
        m_controls = m_controls || isC1Control(c);
        if (isWordCharacter(c))
            m_word += c;
        else
            endWord();
    }
}

void TextPlausibility::finish()
{
    endWord();
}

void TextPlausibility::endWord()
{
    if (m_word.isEmpty())
        return;
    bool beyondAscii = false;
    for (const QChar c : m_word)
        beyondAscii = beyondAscii || c.unicode() >= 0x80;
    if (beyondAscii && looksMisread(m_word))
        ++m_oddWords;
    m_word.clear();
}
