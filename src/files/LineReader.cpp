#include "files/LineReader.h"

#include <algorithm>

LineReader::LineReader(const QByteArray& content) : m_content(content) {
    // A byte-order mark some editors put in front is not part of the first line.
    if (m_content.startsWith("\xEF\xBB\xBF"))
        m_pos = 3;
}

bool LineReader::next(QString* line) {
    const qsizetype size = m_content.size();
    if (m_pos >= size)
        return false;
    const char* data = m_content.constData();
    qsizetype end = m_pos;
    bool ascii = true;
    while (end < size && data[end] != '\r' && data[end] != '\n') {
        ascii = ascii && uchar(data[end]) < 0x80;
        ++end;
    }
    const QByteArrayView bytes(data + m_pos, end - m_pos);
    m_pos = end;
    if (m_pos < size && data[m_pos] == '\r')
        ++m_pos;
    if (m_pos < size && data[m_pos] == '\n')
        ++m_pos;
    ++m_lineNumber;

    if (ascii) {
        // Most lines: widened in place, reusing the caller's buffer.
        line->resize(bytes.size());
        std::transform(bytes.begin(), bytes.end(), line->data(), [](char c) { return QLatin1Char(c); });
        return true;
    }
    m_utf8.resetState();
    *line = m_utf8.decode(bytes);
    if (m_utf8.hasError())
        *line = QString::fromLatin1(bytes);
    return true;
}
