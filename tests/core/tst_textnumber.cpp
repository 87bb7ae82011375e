#include "TestBoard.h"
#include "core/CommandLine.h"
#include "core/TextNumber.h"
#include "core/TimeText.h"

// Texts read and written: the lenient numbers of fields and files, the time a clock shows, and the clock
// file named on the command line.
class TestTextNumber : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    // The number, then the integer rounded half to even, "none" when it does not fit 16 bits.
    void number_data() {
        textRows({"text", "read"}, {{"blanks and a fraction", " \t 12.5", "12.5 12"},
                                    {"sign and exponent", "-1.5E+3", "-1500 -1500"},
                                    {"plus, point first, exponent", "+.5e-2", "0.005 0"},
                                    {"two signs", "--5", "0 0"},
                                    {"infinity is no number", "inf", "0 0"},
                                    {"half to even", "3.5 minutes", "3.5 4"},
                                    {"exponent without digits", "2e", "2 2"},
                                    {"comma is no point", "1,5", "1 1"},
                                    {"overflow", "1e999", "0 0"},
                                    {"largest", "32767", "32767 32767"},
                                    {"too large", "32768", "32768 none"},
                                    {"too small", "-32769", "-32769 none"},
                                    {"64 characters", "-" + QString(63, '0'), "0 0"},
                                    {"63 characters", "9" + QString(62, '0'), "9e+62 none"},
                                    {"long text", " 42" + QString(80, QChar(0x2592)), "42 42"}});
    }
    void number() {
        QFETCH(QString, text);
        QFETCH(QString, read);
        const auto rounded = TextNumber::integer16(text);
        QCOMPARE(QString::number(TextNumber::number(text)) + ' ' +
                     (rounded ? QString::number(*rounded) : "none"),
                 read);
    }

    // Hours, minutes and whole seconds, each at least two digits; a minus only for a whole second overshot.
    void clockText_data() {
        textRows({"seconds", "text"}, {{"hours, minutes, seconds", "3725", "01:02:05"},
                                       {"fraction dropped", "59.9", "00:00:59"},
                                       {"past 16-bit hours", "117964800", "32768:00:00"},
                                       {"overshot", "-2", "-00:00:02"},
                                       {"overshot by a minute", "-60", "-00:01:00"},
                                       {"overshot by a fraction", "-0.5", "00:00:00"},
                                       {"absurdly large", "1e30", "1000000000000000:00:00"}});
    }
    void clockText() {
        QFETCH(QString, seconds);
        QFETCH(QString, text);
        QCOMPARE(TimeText::clockText(seconds.toDouble()), text);
    }

    // The arguments (tab between them) joined with blanks into one path: one leading and one trailing quote
    // go, from the bytes too, and it must end in ".clk"; bytes that are not UTF-8 are kept for opening it.
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
        QList<QByteArray> bytes;
        for (const QString& argument : arguments.split('\t'))
            bytes << argument.toLatin1();
        const CommandLine::ClockFile found = CommandLine::clockFileFromArguments(bytes);
        QCOMPARE(found.path + " | " + QString::fromLatin1(found.native), file);
    }
};

QTEST_GUILESS_MAIN(TestTextNumber)
#include "tst_textnumber.moc"
