#include "entryfilter.h"

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

} // namespace

void EntryFilter::focusGained(const QString &text)
{
    m_last = QChar();
    m_secondSymbol = holdsDecimalSymbol(text);
}

void EntryFilter::keyDown(bool isDelete, const QString &text)
{
    m_invalid = false;
    m_delete = isDelete;
    // Only the character of this key can be a refused second symbol: a key
    // that types nothing (an arrow, Shift) after a refused one must not beep.
    m_last = QChar();
    m_before = text;
}

void EntryFilter::countKeyPress(QChar character)
{
    if (!isDigit(character))
        m_invalid = true;
}

void EntryFilter::dimensionKeyPress(QChar character, const QString &textBefore)
{
    if (!isDigit(character) && !isDecimalSymbol(character))
        m_invalid = true;
    if (isDecimalSymbol(character) && holdsDecimalSymbol(textBefore))
        m_secondSymbol = true;
    m_last = character;
}

EntryFilter::KeyUp EntryFilter::countKeyUp(const QString &text) const
{
    KeyUp up{text};
    if (m_invalid && !m_delete) {
        up.text = m_before;
        up.restored = true;
        ++up.beeps;
    }
    return up;
}

EntryFilter::KeyUp EntryFilter::dimensionKeyUp(const QString &text)
{
    KeyUp up{text};
    if (!up.text.isEmpty() && isDecimalSymbol(up.text.front())) {
        up.text.prepend(u'0');
        up.prefixed = true;
    }
    if (!up.text.isEmpty() && isDecimalSymbol(up.text.back()))
        up.text.append(QLatin1String("00"));
    if (m_invalid && !m_delete) {
        up.text = m_before;
        up.restored = true;
        up.prefixed = false;
        ++up.beeps;
    }
    if (m_secondSymbol && isDecimalSymbol(m_last) && !m_delete) {
        up.text = m_before;
        up.restored = true;
        up.prefixed = false;
        ++up.beeps;
    }
    if (!holdsDecimalSymbol(up.text))
        m_secondSymbol = false;
    return up;
}
