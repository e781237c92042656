#pragma once

#include <QString>
#include <QStringView>

// How much of a decoded text looks like text read in the wrong code page, counted in words
// that hold letters beyond ASCII (an ASCII word reads the same in every code page): control
// characters of the C1 range, letters of two scripts in one word ("Љќastnэ"), a capital
// right after a small letter ("оПХБЕР"), and Latin words of four letters or more made mostly of
// accented letters ("Ïðèâåò"). Text is fed in pieces; a word cut between two pieces is
// counted once it is whole.
class TextPlausibility
{
public:
    void feed(QStringView text);
    // After the last piece.
    void finish();

    int oddWords() const { return m_oddWords; }
    bool hasControlCharacters() const { return m_controls; }

private:
    void endWord();

    QString m_word;
    int m_oddWords = 0;
    bool m_controls = false;
};
