// Every label and button of every window shows its whole text, in English,
// Chinese and Japanese, with the fonts the language brings and the fonts
// installed here: each one's size is at least what its text needs.

#include "engine/cshowresult.h"
#include "gifmaker/cgifmerge.h"
#include "preview/demoplayer.h"
#include "settings/csettings.h"
#include "tests/mainwindow/windowfixture.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QtTest>

namespace {

QString describe(const QWidget *widget, const QString &text, const QSize &needed)
{
    return QStringLiteral("%1 \"%2\": %3x%4, needs %5x%6")
        .arg(widget->objectName(), text)
        .arg(widget->width())
        .arg(widget->height())
        .arg(needed.width())
        .arg(needed.height());
}

// Where the text of the widget is cut, or an empty string.
QString cutText(const QWidget *widget)
{
    if (const auto *label = qobject_cast<const QLabel *>(widget)) {
        if (label->text().isEmpty() || label->textFormat() == Qt::RichText)
            return QString();
        QSize needed = label->sizeHint();
        if (label->wordWrap())
            needed = QSize(0, label->heightForWidth(label->width()));
        return needed.boundedTo(label->size()) == needed ? QString() : describe(label, label->text(), needed);
    }
    if (const auto *push = qobject_cast<const QPushButton *>(widget)) {
        if (push->text().isEmpty())
            return QString();
        // The style's minimum width of a button says nothing of its text:
        // the text is drawn into the contents rectangle, beside any icon.
        QStyleOptionButton option;
        option.initFrom(push);
        option.text = push->text();
        option.icon = push->icon();
        option.iconSize = push->iconSize();
        const QRect contents = push->style()->subElementRect(QStyle::SE_PushButtonContents, &option, push);
        QSize needed = push->fontMetrics().size(Qt::TextShowMnemonic, push->text());
        if (!push->icon().isNull())
            needed.rwidth() += push->iconSize().width() + 4;
        return needed.boundedTo(contents.size()) == needed ? QString() : describe(push, push->text(), needed);
    }
    if (const auto *button = qobject_cast<const QAbstractButton *>(widget)) {
        if (button->text().isEmpty())
            return QString();
        const QSize needed = button->sizeHint();
        return needed.boundedTo(button->size()) == needed ? QString() : describe(button, button->text(), needed);
    }
    if (const auto *group = qobject_cast<const QGroupBox *>(widget)) {
        const QSize needed = group->minimumSizeHint();
        return group->title().isEmpty() || needed.width() <= group->width() ? QString()
                                                                            : describe(group, group->title(), needed);
    }
    return QString();
}

// Lets every layout take in what changed (a text, a font) as the event loop would.
void settle()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QCoreApplication::processEvents();
    }
}

void collectCutTexts(QWidget *root, QStringList *cut)
{
    settle();
    const QList<QWidget *> widgets = root->findChildren<QWidget *>();
    for (QWidget *widget : widgets) {
        if (!widget->isVisibleTo(root))
            continue;
        const QString problem = cutText(widget);
        if (!problem.isEmpty() && !cut->contains(problem))
            cut->append(problem);
    }
}

// Shows the window and checks it, each page of each of its tab widgets in turn.
QStringList cutTexts(QWidget *window)
{
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        return {QStringLiteral("the window was not shown")};
    QStringList cut;
    collectCutTexts(window, &cut);
    for (QTabWidget *tabs : window->findChildren<QTabWidget *>()) {
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            collectCutTexts(window, &cut);
        }
    }
    window->close();
    for (QString &problem : cut)
        problem.prepend(QString::fromLatin1(window->metaObject()->className()) + QStringLiteral(": "));
    return cut;
}

} // namespace

class TestLabelsFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyTextIsWhole_data();
    void everyTextIsWhole();

private:
    QString startFolder;
};

void TestLabelsFit::initTestCase()
{
    // The window finds the translations in the current folder first.
    startFolder = QDir::currentPath();
    QVERIFY(QFile::exists(QStringLiteral(QUILLMORA_BUILD_DIR "/Quillmora_zh.qm")));
    QDir::setCurrent(QStringLiteral(QUILLMORA_BUILD_DIR));
}

void TestLabelsFit::everyTextIsWhole_data()
{
    QTest::addColumn<int>("language");
    QTest::newRow("English as started") << -1;
    QTest::newRow("English") << int(WindowAction::English);
    QTest::newRow("Chinese") << int(WindowAction::Chinese);
    QTest::newRow("Japanese") << int(WindowAction::Japanese);
}

void TestLabelsFit::everyTextIsWhole()
{
    QFETCH(int, language);
    WindowFixture fixture;
    if (language >= 0) // the language's translation and font, as a user chooses them
        fixture.access().action(WindowAction(language))->trigger();

    QStringList cut = cutTexts(fixture.window.get());

    CSettings settings;
    settings.loadSettings();
    settings.loadJob(makeJob(FormatMP4, defaultProfile(FormatMP4)));
    cut += cutTexts(&settings);

    DemoPlayer preview;
    cut += cutTexts(&preview);

    CGIFMerge gifMaker;
    cut += cutTexts(&gifMaker);

    CShowResult result;
    result.successCount = 12;
    result.failureCount = 3;
    result.setCounts();
    cut += cutTexts(&result);

    for (const QString &problem : std::as_const(cut))
        qWarning().noquote() << "cut:" << problem;
    QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("%1 texts are cut (listed above)").arg(cut.size())));
}

QTEST_MAIN(TestLabelsFit)
#include "tst_labelsfit.moc"
