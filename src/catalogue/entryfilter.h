#pragma once

#include <QChar>
#include <QString>

// The key-by-key filter of the catalogue's numeric fields: the two count
// fields (`T_colonnes`, `T_rangees`) take digits only, the six dimension
// fields (`T_dim`) digits and one decimal symbol. A refused key is not
// discarded: the field takes it, and the filter puts the text back when the
// key goes up, with a beep.
//
// One filter serves the whole window: a key goes down, is pressed (once per
// character it types; keys that type nothing, arrows, Delete, are not
// pressed) and goes up, all in the same field.
class EntryFilter {
public:
    // What the field must show once the key is up.
    struct KeyUp {
        QString text;
        int beeps = 0;
        bool restored = false;   // the text from before the key is back
        bool prefixed = false;   // a "0" went in front of a leading symbol
    };

    // A dimension field gets the focus.
    void focusGained(const QString &text);
    // `isDelete`: the Delete key, which the filters never undo.
    void keyDown(bool isDelete, const QString &text);
    void countKeyPress(QChar character);
    void dimensionKeyPress(QChar character, const QString &textBefore);
    KeyUp countKeyUp(const QString &text) const;
    KeyUp dimensionKeyUp(const QString &text);

    static bool isDecimalSymbol(QChar c) { return c == u'.' || c == u','; }
    static bool holdsDecimalSymbol(const QString &text)
    {
        return text.contains(u'.') || text.contains(u',');
    }

private:
    QString m_before;
    bool m_invalid = false;
    bool m_secondSymbol = false;
    bool m_delete = false;
    QChar m_last;
};
