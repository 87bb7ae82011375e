#pragma once
#include <QByteArray>
#include <QString>
#include <QStringDecoder>

// The lines of a clock file in memory. A line ends at CR LF, at a lone CR or at a lone LF (files edited
// with Unix tools). A line that is valid UTF-8 is read as such, any other as Latin-1, so files written by
// older programs in a single-byte character set still open.
class LineReader {
public:
    explicit LineReader(const QByteArray& content);
    // The next line, without its line end; false at the end of the content.
    bool next(QString* line);
    // 1 for the first line; the number of the line last returned.
    int lineNumber() const { return m_lineNumber; }

private:
    const QByteArray& m_content;
    qsizetype m_pos = 0;
    int m_lineNumber = 0;
    QStringDecoder m_utf8{QStringDecoder::Utf8, QStringDecoder::Flag::Stateless};
};
