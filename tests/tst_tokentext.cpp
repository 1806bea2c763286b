// The token text box takes only printable characters that Windows-1252 can hold,
// whether they are typed, pasted or inserted.

#include "appearance/tokentext.h"
#include "support/testwindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QStringDecoder>
#include <QtTest>

using appearance::isTokenTextChar;

class TestTokenText : public QObject {
    Q_OBJECT

private slots:
    void characters_data();
    void characters();
    void agreesWithTheCodePage();
    void validatorDropsAndKeepsCursor_data();
    void validatorDropsAndKeepsCursor();

    void init();
    void cleanup();
    void typed_data();
    void typed();
    void pasted_data();
    void pasted();
    void controlKeysInsertNothing();

private:
    forms::TextBox *box() { return m_tw->st().txtFeld; }
    std::unique_ptr<testing::TestWindow> m_tw;
};

void TestTokenText::characters_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("space") << 0x20 << true;
    QTest::newRow("A") << int('A') << true;
    QTest::newRow("tilde") << 0x7E << true;
    QTest::newRow("no-break space") << 0xA0 << true;
    QTest::newRow("a umlaut") << 0xE4 << true;
    QTest::newRow("sharp s") << 0xDF << true;
    QTest::newRow("y diaeresis") << 0xFF << true;
    QTest::newRow("euro") << 0x20AC << true;
    QTest::newRow("low quote") << 0x201E << true;
    QTest::newRow("trade mark") << 0x2122 << true;
    QTest::newRow("capital Y diaeresis") << 0x178 << true;
    QTest::newRow("nul") << 0x00 << false;
    QTest::newRow("tab") << 0x09 << false;
    QTest::newRow("line feed") << 0x0A << false;
    QTest::newRow("carriage return") << 0x0D << false;
    QTest::newRow("delete") << 0x7F << false;
    QTest::newRow("C1 0x80") << 0x80 << false;
    QTest::newRow("C1 0x81, unused byte") << 0x81 << false;
    QTest::newRow("C1 0x9F") << 0x9F << false;
    QTest::newRow("omega") << 0x3A9 << false;
    QTest::newRow("CJK") << 0x4E2D << false;
    QTest::newRow("line separator") << 0x2028 << false;
    QTest::newRow("replacement character") << 0xFFFD << false;
    QTest::newRow("high surrogate") << 0xD83D << false;
}

void TestTokenText::characters()
{
    QFETCH(int, code);
    QFETCH(bool, allowed);
    QCOMPARE(isTokenTextChar(QChar(char16_t(code))), allowed);
}

void TestTokenText::agreesWithTheCodePage()
{
    // The code page itself, as the system's converter knows it, decides: every
    // character one of its bytes stands for, less the control characters.
    QStringDecoder decoder("windows-1252");
    if (!decoder.isValid())
        QSKIP("no Windows-1252 converter on this system");
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    const QString all = decoder.decode(bytes);
    QCOMPARE(all.size(), 256);
    std::vector<bool> expected(0x10000, false);
    for (QChar c : all)
        if (c.category() != QChar::Other_Control)
            expected[c.unicode()] = true;
    int count = 0;
    for (int u = 0; u < 0x10000; ++u) {
        const bool got = isTokenTextChar(QChar(char16_t(u)));
        if (got != expected[size_t(u)])
            QFAIL(qPrintable(QStringLiteral("U+%1: %2").arg(u, 4, 16, QLatin1Char('0')).arg(got)));
        count += got ? 1 : 0;
    }
    // 95 printable ASCII, 96 in the Latin-1 half, 27 in 0x80..0x9F.
    QCOMPARE(count, 95 + 96 + 27);
}

void TestTokenText::validatorDropsAndKeepsCursor_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("pos");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("outPos");
    QTest::newRow("all kept") << QStringLiteral("Stein €5") << 3 << QStringLiteral("Stein €5") << 3;
    QTest::newRow("line break before the cursor") << QStringLiteral("ab\ncd") << 5 << QStringLiteral("abcd") << 4;
    QTest::newRow("CR LF after the cursor") << QStringLiteral("ab\r\ncd") << 2 << QStringLiteral("abcd") << 2;
    QTest::newRow("tab at the cursor") << QStringLiteral("a\tb") << 1 << QStringLiteral("ab") << 1;
    QTest::newRow("only controls") << QStringLiteral("\n\r\t") << 3 << QString() << 0;
    QTest::newRow("Greek") << QStringLiteral("xΩy") << 3 << QStringLiteral("xy") << 2;
    QTest::newRow("emoji, a surrogate pair") << QStringLiteral("a\U0001F600b") << 3 << QStringLiteral("ab") << 1;
    QTest::newRow("empty") << QString() << 0 << QString() << 0;
}

void TestTokenText::validatorDropsAndKeepsCursor()
{
    QFETCH(QString, input);
    QFETCH(int, pos);
    QFETCH(QString, output);
    QFETCH(int, outPos);
    appearance::TokenTextValidator v;
    QCOMPARE(v.validate(input, pos), QValidator::Acceptable);
    QCOMPARE(input, output);
    QCOMPARE(pos, outPos);
}

void TestTokenText::init()
{
    m_tw = std::make_unique<testing::TestWindow>();
    m_tw->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_tw->window.get()));
    m_tw->st().picEigenschaften->setVisible(true);
    box()->setText(QStringLiteral("AB"));
    box()->setFocus();
}

void TestTokenText::cleanup() { m_tw.reset(); }

void TestTokenText::typed_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::newRow("letters and umlauts") << QStringLiteral("xÄß") << QStringLiteral("ABxÄß");
    QTest::newRow("euro and dashes") << QStringLiteral("€–—") << QStringLiteral("AB€–—");
    QTest::newRow("Greek and Cyrillic") << QStringLiteral("Ωж") << QStringLiteral("AB");
    QTest::newRow("mixed") << QStringLiteral("1Ω2") << QStringLiteral("AB12");
}

void TestTokenText::typed()
{
    QFETCH(QString, keys);
    QFETCH(QString, text);
    box()->end(false);
    // Key by key, each with its text, as a keyboard layout delivers them.
    for (QChar c : keys)
        QTest::sendKeyEvent(QTest::Click, box(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    QCOMPARE(box()->text(), text);
}

void TestTokenText::pasted_data()
{
    QTest::addColumn<QString>("clip");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursorAfter");
    QTest::newRow("lines") << QStringLiteral("Zeile 1\r\nZeile 2\n") << 2 << QStringLiteral("ABZeile 1Zeile 2") << 16;
    QTest::newRow("into the middle") << QStringLiteral("x\ty") << 1 << QStringLiteral("AxyB") << 3;
    QTest::newRow("foreign letters") << QStringLiteral("Ωa€") << 0 << QStringLiteral("a€AB") << 2;
    QTest::newRow("nothing usable") << QStringLiteral("\n\n") << 1 << QStringLiteral("AB") << 1;
}

void TestTokenText::pasted()
{
    QFETCH(QString, clip);
    QFETCH(int, cursor);
    QFETCH(QString, text);
    QFETCH(int, cursorAfter);
    QClipboard *cb = QGuiApplication::clipboard();
    cb->setText(clip);
    if (cb->text() != clip)
        QSKIP("the platform's clipboard does not keep text");
    box()->setCursorPosition(cursor);
    QTest::keyClick(box(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box()->text(), text);
    QCOMPARE(box()->cursorPosition(), cursorAfter);

    // The text "ok" stores what the box holds.
    m_tw->st().AktStein = 0;
    QTest::mouseClick(m_tw->st().cmdtxtFeld, Qt::LeftButton);
    QCOMPARE(m_tw->st().Steintext[0], text);
}

void TestTokenText::controlKeysInsertNothing()
{
    box()->end(false);
    for (char16_t c : {u'\t', u'\n', u'\r', char16_t(0x7F), char16_t(0x1B)})
        QTest::sendKeyEvent(QTest::Click, box(), Qt::Key_unknown, QString(QChar(c)), Qt::NoModifier);
    QTest::keyClick(box(), Qt::Key_Return);
    QTest::keyClick(box(), Qt::Key_Enter);
    QCOMPARE(box()->text(), QStringLiteral("AB"));
}

QTEST_MAIN(TestTokenText)
#include "tst_tokentext.moc"
