#include "settings/csettings.h"
#include "tests/mainwindow/windowfixture.h"

#include <QApplication>
#include <QComboBox>
#include <QMenuBar>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <QtTest>

class TestTranslations : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void everyTextTranslated_data();
    void everyTextTranslated();
    void realFilesChangeTheTexts();

private:
    QString startFolder;
};

namespace {

struct Message {
    QString context, source, translation, type;
};

QList<Message> readMessages(const QString &path, QString *language)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == QLatin1String("TS")) {
            *language = xml.attributes().value(QLatin1String("language")).toString();
        } else if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("message")) {
            messages.append({context, {}, {}, {}});
        } else if (xml.name() == QLatin1String("source")) {
            messages.last().source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            messages.last().type = xml.attributes().value(QLatin1String("type")).toString();
            messages.last().translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    return messages;
}

QStringList placeholders(const QString &text)
{
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("%\\d")).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    found.sort();
    return found;
}

QString menuTitle(CQuillmora &window, int index)
{
    return window.menuBar()->actions().at(index)->text();
}

} // namespace

void TestTranslations::initTestCase()
{
    startFolder = QDir::currentPath();
}

void TestTranslations::cleanup()
{
    QDir::setCurrent(startFolder);
}

void TestTranslations::everyTextTranslated_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("language");
    QTest::newRow("Chinese") << "Quillmora_zh.ts" << "zh_CN";
    QTest::newRow("Japanese") << "Quillmora_jp.ts" << "ja_JP";
}

void TestTranslations::everyTextTranslated()
{
    QFETCH(QString, file);
    QFETCH(QString, language);
    QString fileLanguage;
    const QList<Message> messages =
        readMessages(QStringLiteral(QUILLMORA_SOURCE_DIR "/translations/") + file, &fileLanguage);
    QCOMPARE(fileLanguage, language);
    QStringList contexts;
    for (const Message &message : messages) {
        const QString where = message.context + QStringLiteral(": ") + message.source;
        contexts << message.context;
        QVERIFY2(message.type.isEmpty(), qPrintable(where + QStringLiteral(" is ") + message.type));
        QVERIFY2(!message.translation.trimmed().isEmpty() || message.source.trimmed().isEmpty(),
                 qPrintable(where));
        QVERIFY2(placeholders(message.translation) == placeholders(message.source), qPrintable(where));
        // The leading blanks of the action texts space them from their icons.
        QVERIFY2(message.source.startsWith(QLatin1String("  ")) == message.translation.startsWith(QLatin1String("  ")),
                 qPrintable(where));
    }
    QVERIFY(contexts.contains(QStringLiteral("CQuillmora")));
    QVERIFY(contexts.contains(QStringLiteral("OutputSettings")));
}

void TestTranslations::realFilesChangeTheTexts()
{
    WindowFixture fixture;
    CQuillmora &window = *fixture.window;
    CQuillmoraTestAccess access = fixture.access();
    fixture.chooseFiles(QStringLiteral("btnMP4"), {fixture.makeFile(QStringLiteral("clip.avi"))});
    access.setCurrentRow(0);
    QDir::setCurrent(QStringLiteral(QUILLMORA_BUILD_DIR)); // where the build writes the .qm files

    access.action(WindowAction::Chinese)->trigger();
    QTRY_COMPARE(menuTitle(window, 2), QStringLiteral("选项"));
    QCOMPARE(QApplication::font().family(), QStringLiteral("PMingLiU"));

    access.action(WindowAction::Japanese)->trigger();
    QTRY_COMPARE(menuTitle(window, 2), QStringLiteral("オプション"));
    QCOMPARE(QApplication::font().family(), QStringLiteral("MS Mincho"));
    QCOMPARE(fixture.prompts.count("warning"), 0);

    // The dialog's own texts and its lists follow the language too.
    access.answerSettingsDialog([](CSettings &dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("出力設定"));
        QCOMPARE(dialog.findChild<QComboBox *>("m_pCmbFileFormat")->currentText(),
                 QStringLiteral("すべてのメディアファイル -> MP4"));
        });
    access.action(WindowAction::Setting)->trigger();
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
