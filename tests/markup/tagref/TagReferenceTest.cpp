// The tag reference: reading fields from the data file, the side panel, the reference window
// and the shipped data file.
#include "MarkupFixture.h"

#include "app/dialogs/InternalFunctionInputWin.h"
#include "markup/tagref/ReferenceBox.h"
#include "markup/tagref/TagRefPanel.h"
#include "markup/tagref/TagRefWin.h"
#include "markup/tagref/TagReference.h"
#include "markup/tagref/TagReferenceData.h"
#include "platform/AppPaths.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>

namespace {

TTagReferenceData Load(const QByteArray& bytes) {
    TTagReferenceData data;
    EXPECT_TRUE(data.Load(WriteTestFile(QStringLiteral("ref.dat"), bytes)));
    return data;
}

TEST(TagReferenceDataTest, ReadsTheFieldsOfTheLastMatchingLine) {
    const TTagReferenceData data = Load("2.1|Standard\r\n"
                                        "A|Old link.|old|old attrs\r\n"
                                        "a|L\xe4nk.|<a href=\"x\">t</a>|href - m\xe5l|och mer\n"
                                        "br|Radbrytning.|x\\ny|\r\n"
                                        "ul|Lista.|<ul>\\n\\t<li>a</li>\\n</ul>|type\r\n"
                                        "hr|too few fields\r\n"
                                        "hr|Linje.\r\n"
                                        "|no name|x|y\r\n");
    const struct {
        const char* name;
        int field;
        QString expected;
    } cases[] = {
        {"A", 0, QStringLiteral("A")},
        {"a", 1, QStringLiteral("Länk.")},
        {"A", 2, QStringLiteral("<a href=\"x\">t</a>")},
        {"A", 3, QStringLiteral("href - mål|och mer")}, // the rest of the line
        {"BR", 2, QStringLiteral("x\r\ny")},
        {"br", 3, QString()},
        {"ul", 2, QStringLiteral("<ul>\r\n     <li>a</li>\r\n</ul>")},
        {"hr", 0, QString()}, // lines with fewer than four fields are no entries
        {"hr", 2, QString()},
        {"2.1", 1, QString()},
        {"p", 0, QString()},
        {"", 1, QStringLiteral("no name")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(data.Field(c.field, QString::fromUtf8(c.name)), c.expected)
            << c.name << " " << c.field;

    QString version, description;
    EXPECT_TRUE(data.About(&version, &description));
    EXPECT_EQ(version, QStringLiteral("2.1"));
    EXPECT_EQ(description, QStringLiteral("Standard")); // the first line only

    TTagReferenceData missing;
    EXPECT_FALSE(missing.Load(QStringLiteral("/nonexistent/ref.dat")));
    EXPECT_FALSE(missing.About(&version, &description));
    EXPECT_EQ(missing.Field(0, QStringLiteral("A")), QString());
}

// Every element of HTML 4.01 and XHTML 1.0.
const char* const kElements[] = {
    "A",        "ABBR",     "ACRONYM",  "ADDRESS",    "APPLET",   "AREA",     "B",      "BASE",
    "BASEFONT", "BDO",      "BIG",      "BLOCKQUOTE", "BODY",     "BR",       "BUTTON", "CAPTION",
    "CENTER",   "CITE",     "CODE",     "COL",        "COLGROUP", "DD",       "DEL",    "DFN",
    "DIR",      "DIV",      "DL",       "DT",         "EM",       "FIELDSET", "FONT",   "FORM",
    "FRAME",    "FRAMESET", "H1",       "H2",         "H3",       "H4",       "H5",     "H6",
    "HEAD",     "HR",       "HTML",     "I",          "IFRAME",   "IMG",      "INPUT",  "INS",
    "ISINDEX",  "KBD",      "LABEL",    "LEGEND",     "LI",       "LINK",     "MAP",    "MENU",
    "META",     "NOFRAMES", "NOSCRIPT", "OBJECT",     "OL",       "OPTGROUP", "OPTION", "P",
    "PARAM",    "PRE",      "Q",        "S",          "SAMP",     "SCRIPT",   "SELECT", "SMALL",
    "SPAN",     "STRIKE",   "STRONG",   "STYLE",      "SUB",      "SUP",      "TABLE",  "TBODY",
    "TD",       "TEXTAREA", "TFOOT",    "TH",         "THEAD",    "TITLE",    "TR",     "TT",
    "U",        "UL",       "VAR",      "!--",        "!DOCTYPE",
};

TEST(TagReferenceDataTest, TheShippedFileHasEveryElementInFourFields) {
    const QString path = AppPaths::ProgramFile(QStringLiteral("defaults/tagreference.dat"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast();
    ASSERT_GT(lines.size(), 1);
    EXPECT_EQ(lines[0].count('|'), 1) << "version|description";
    QSet<QByteArray> names;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QByteArray& line = lines[i];
        ASSERT_TRUE(line.endsWith('\r')) << "line " << i + 1;
        // Windows-1252 text: no control characters, none of the five unused code points.
        for (const char ch : line.chopped(1)) {
            const auto u = static_cast<unsigned char>(ch);
            EXPECT_TRUE(u >= 0x20 && u != 0x7F && u != 0x81 && u != 0x8D && u != 0x8F &&
                        u != 0x90 && u != 0x9D)
                << "line " << i + 1 << " byte " << int(u);
        }
        if (i == 0)
            continue;
        const QList<QByteArray> fields = line.chopped(1).split('|');
        ASSERT_GE(fields.size(), 4) << "line " << i + 1;
        for (int k = 0; k < 3; ++k)
            EXPECT_FALSE(fields[k].trimmed().isEmpty()) << "line " << i + 1 << " field " << k;
        EXPECT_FALSE(names.contains(fields[0])) << "twice: " << fields[0].constData();
        names.insert(fields[0]);
    }
    TTagReferenceData data;
    ASSERT_TRUE(data.Load(path));
    for (const char* name : kElements) {
        EXPECT_TRUE(names.contains(name)) << name;
        EXPECT_EQ(data.Field(0, QLatin1String(name)), QLatin1String(name));
    }
}

class TagReferenceWinTest : public MarkupWinTest {
protected:
    void SetUp() override {
        MarkupWinTest::SetUp();
        path = TTagReferenceData::DefaultPath();
        QFile::remove(path);
        reference =
            dynamic_cast<TTagReference*>(win->findChild<QObject*>(QStringLiteral("TagReference")));
        ASSERT_TRUE(reference);
    }
    void TearDown() override {
        // The data folder's copy of the shipped file, as the next test expects it.
        QFile::remove(path);
        QFile::copy(AppPaths::ProgramFile(QStringLiteral("defaults/tagreference.dat")), path);
        MarkupWinTest::TearDown();
    }
    void Write(const QByteArray& bytes) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString Panel() const { return reference->Panel()->refmemo->toPlainText(); }

    QString path;
    TTagReference* reference = nullptr;
};

const QString kNotFound = QStringLiteral(
    "\nTagg ej funnen i referensdatabasen.\n\nOm en tagg saknas i databasen kan en ny version "
    "vara tillgänglig på Internet. Använd menykommandot Hjälp/Internet/\"Uppdateringar för "
    "Kelvora\" för att verifiera.");

TEST_F(TagReferenceWinTest, ThePanelShowsTheTagAtTheCaretOrWhyNot) {
    Write("1|x\r\np|Stycke.|<p>t</p>|align\\nclass\r\n");
    SetText("<P cl|ass=x>t</P>");
    reference->ShowCurrentTagRef();
    EXPECT_TRUE(win->SidePanelVisible(reference->Panel()));
    EXPECT_EQ(Panel(), QStringLiteral("Tagg:\nP\n\nBeskrivning:\nStycke.\n\nExempel:\n<p>t</p>\n\n"
                                      "Attribut:\nalign\nclass"));
    // The file is read again for every lookup.
    Write("1|x\r\np|Nytt.|e|a\r\n");
    reference->TagReference(QStringLiteral("<p>"));
    EXPECT_TRUE(Panel().contains(QStringLiteral("Nytt.")));

    SetText("t|ext");
    reference->ShowCurrentTagRef();
    EXPECT_EQ(Panel(), QStringLiteral("\nIngen tagg markerad."));
    reference->TagReference(QStringLiteral("<blink>"));
    EXPECT_EQ(Panel(), kNotFound);
    EXPECT_TRUE(seen.isEmpty());

    // A missing file is reported once per lookup, and the not-found text follows.
    QFile::remove(path);
    reference->TagReference(QStringLiteral("<p>"));
    EXPECT_EQ(seen, QStringList{QStringLiteral(
                        "M:Ett problem uppstod då referensdatabasen skulle läsas.")});
    EXPECT_EQ(Panel(), kNotFound);
}

TEST_F(TagReferenceWinTest, LooksUpANamedTagAndDescribesTheFile) {
    Write("2.1|Standard\r\ntable|Tabell.|e|border\r\n");
    for (const QString& answer : {QStringLiteral("table"), QStringLiteral("<TABLE border=1>")}) {
        Answer<TInternalFunctionInput>([answer](TInternalFunctionInput* box) {
            EXPECT_EQ(box->Q->text(), QStringLiteral("Ange tagg:"));
            EXPECT_FALSE(box->btnSearch->isVisible());
            box->A->setText(answer);
            return 1;
        });
        reference->Panel()->Slupptagg1->trigger();
        EXPECT_TRUE(Panel().startsWith(QStringLiteral("Tagg:\nTABLE\n"))) << answer.toStdString();
    }
    Answer<TInternalFunctionInput>([](TInternalFunctionInput*) { return 2; });
    reference->Panel()->Slupptagg1->trigger();
    EXPECT_TRUE(Panel().startsWith(QStringLiteral("Tagg:\nTABLE\n")));

    reference->Panel()->Omreferensdatabasen1->trigger();
    EXPECT_EQ(Panel(), QStringLiteral("\nOm referensdatabasen\n\nFilnamn:\n") + path +
                           QStringLiteral("\n\nVersion:\n2.1\n\nStandard"));
    EXPECT_TRUE(seen.isEmpty());
}

TEST_F(TagReferenceWinTest, TheReferenceWindowShowsOneElement) {
    Write("1|x\r\nHR|Linje.|<hr />|size\r\n");
    Answer<Ttagref>([](Ttagref* w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Taggreferens"));
        EXPECT_EQ(w->refmemo->toPlainText(),
                  QStringLiteral("Tagg:\nHR\n\nBeskrivning:\nLinje.\n\nExempel:\n<hr />\n\n"
                                 "Attribut:\nsize"));
        return 2;
    });
    ShowTagReference(*win, QStringLiteral("HR"));
    // An unknown name gives empty values and no not-found text.
    Answer<Ttagref>([](Ttagref* w) {
        EXPECT_EQ(w->refmemo->toPlainText(),
                  QStringLiteral("Tagg:\n\n\nBeskrivning:\n\n\nExempel:\n\n\nAttribut:\n"));
        return 2;
    });
    ShowTagReference(*win, QStringLiteral("BLINK"));
    EXPECT_TRUE(seen.isEmpty());

    // The panel's check mark follows the panel, and the setting keeps it.
    ASSERT_TRUE(Run("VToggleReflist"));
    win->CentralActionListUpdate();
    EXPECT_TRUE(win->Action(QStringLiteral("VToggleReflist"))->isChecked());
    EXPECT_TRUE(win->CurrentSettings().ShowTagRef);
}

} // namespace
