// The token text box takes only printable characters that Windows-1252 can hold,
// whether they are typed, pasted or inserted.

#include "appearance/tokentext.h"
#include "gamefile/cp1252.h"
#include "support/testwindow.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QtTest>

using appearance::isTokenTextChar;

class TestTokenText : public QObject {
    Q_OBJECT

private slots:
    void agreesWithTheCodePage();
    void validatorDropsAndKeepsCursor_data();
    void validatorDropsAndKeepsCursor();

    void init();
    void cleanup();
    void typed_data();
    void typed();
    void pasted_data();
    void pasted();

private:
    forms::TextBox *box() { return m_tw->st().txtFeld; }
    std::unique_ptr<testing::TestWindow> m_tw;
};

void TestTokenText::agreesWithTheCodePage()
{
    // Every character one of the code page's bytes stands for, less the control
    // characters (tab included: a token text is one line of the box).
    std::vector<bool> expected(0x10000, false);
    for (int b = 0; b < 256; ++b)
        if (const auto c = cp1252::toUnicode(static_cast<unsigned char>(b)); c && QChar(*c).category() != QChar::Other_Control)
            expected[*c] = true;
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
    QTest::newRow("only controls") << QStringLiteral("\n\r\t") << 3 << QString() << 0;
    QTest::newRow("Greek") << QStringLiteral("xΩy") << 3 << QStringLiteral("xy") << 2;
    QTest::newRow("emoji, a surrogate pair") << QStringLiteral("a\U0001F600b") << 3 << QStringLiteral("ab") << 1;
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
    QTest::newRow("mixed") << QStringLiteral("1Ω2") << QStringLiteral("AB12");
    QTest::newRow("control characters") << QStringLiteral("\t\n\r\x7F\x1B") << QStringLiteral("AB");
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

QTEST_MAIN(TestTokenText)
#include "tst_tokentext.moc"
