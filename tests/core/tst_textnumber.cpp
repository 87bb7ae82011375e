#include "TestBoard.h"
#include "core/CommandLine.h"
#include "core/TextNumber.h"
#include "core/TimeText.h"

// Texts read and written: lenient numbers in fields and files, the time a clock shows, and the clock file
// named on the command line.
class TestTextNumber : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The number, the integer rounded half to even ("none" past 16 bits), and the number as a clock shows it.
    void number_data() {
        textRows({"text", "read"},
                 {{"blanks and a fraction", " \t 59.9", "59.9 60 00:00:59"},
                  {"sign and exponent", "-1.5E+3", "-1500 -1500 -00:25:00"},
                  {"plus, point first, exponent", "+.5e-2", "0.005 0 00:00:00"},
                  {"two signs", "--5", "0 0 00:00:00"},
                  {"infinity is no number", "inf", "0 0 00:00:00"},
                  {"half to even", "3.5 minutes", "3.5 4 00:00:03"},
                  {"exponent without digits", "2e", "2 2 00:00:02"},
                  {"comma is no point", "1,5", "1 1 00:00:01"},
                  {"overflow", "1e999", "0 0 00:00:00"},
                  {"largest", "32767", "32767 32767 09:06:07"},
                  {"too large", "32768", "32768 none 09:06:08"},
                  {"too small", "-32769", "-32769 none -09:06:09"},
                  {"64 characters", "-" + QString(63, '0'), "0 0 00:00:00"},
                  {"63 characters", "9" + QString(62, '0'), "9e+62 none 1000000000000000:00:00"},
                  {"long text", " 42" + QString(80, QChar(0x2592)), "42 42 00:00:42"},
                  {"past 16-bit hours", "117964800", "1.17965e+08 none 32768:00:00"},
                  {"overshot by a minute", "-60", "-60 -60 -00:01:00"},
                  {"overshot by a fraction", "-0.5", "-0.5 0 00:00:00"}});
    }
    void number() {
        QFETCH(QString, text);
        QFETCH(QString, read);
        const double n = TextNumber::number(text);
        const auto rounded = TextNumber::integer16(text);
        QCOMPARE(QStringList({QString::number(n), rounded ? QString::number(*rounded) : "none",
                              TimeText::clockText(n)})
                     .join(' '),
                 read);
    }

    // The arguments (tab between them) make one path; bytes that are not UTF-8 are kept for opening it.
    void commandLine_data() {
        textRows({"arguments", "file"},
                 {{"empty", "", " | "},
                  {"words joined, quoted, capitals", "\"/my\tb.CLK\"", "/my b.CLK | /my b.CLK"},
                  {"only a leading quote", "\"/a.clk", "/a.clk | /a.clk"},
                  {"inner quotes stay", "\"/\"b\".clk\"", "/\"b\".clk | /\"b\".clk"},
                  {"a single quote", "\"", " | "},
                  {"trailing blank", "/a.clk ", " | "},
                  {"other extension", "/a.clock", " | "},
                  {"not UTF-8", "/caf\u00e9.clk", "/caf\ufffd.clk | /caf\u00e9.clk"}});
    }
    void commandLine() {
        QFETCH(QString, arguments);
        QFETCH(QString, file);
        const auto found = CommandLine::clockFileFromArguments(arguments.toLatin1().split('\t'));
        QCOMPARE(found.path + " | " + QString::fromLatin1(found.native), file);
    }
};

QTEST_GUILESS_MAIN(TestTextNumber)
#include "tst_textnumber.moc"
