// Actions, menus, tool bars, the central widget and their texts.
#include "mainwindow/cquillmora.h"

#include "app/outputfolder.h"
#include "mainwindow/jobtable.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMetaMethod>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollArea>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <iterator>
#include <optional>
#include <vector>

namespace {

QString translated(const char *source)
{
    return QCoreApplication::translate("CQuillmora", source);
}

struct ActionSpec {
    const char *objectName;
    const char *text;
    const char *shortcut; // nullptr: none
    const char *icon;     // nullptr: none
    const char *tip;
    const char *tipAfterLanguageChange; // nullptr: the same tip
    bool enabled;
    const char *slot;
    bool checkable = false;
};

// In WindowAction order.
const ActionSpec actionSpecs[WindowActionCount] = {
    {"actionRemoveItem", QT_TRANSLATE_NOOP("CQuillmora", "  Remove Item"), "Ctrl+R",
     ":/res/adept_purge.png", QT_TRANSLATE_NOOP("CQuillmora", "Remove a selected item on list."),
     nullptr, false, "onRemove()"},
    {"actionRemoveList", QT_TRANSLATE_NOOP("CQuillmora", "  Remove List"), "Ctrl+L",
     ":/res/cancel.png", QT_TRANSLATE_NOOP("CQuillmora", "Empty the list."),
     QT_TRANSLATE_NOOP("CQuillmora", "Clean the list."), false, "onClearList()"},
    {"actionConvert", QT_TRANSLATE_NOOP("CQuillmora", "  Convert"), "Ctrl+S", ":/res/convert.png",
     QT_TRANSLATE_NOOP("CQuillmora", "Start the file converting."), nullptr, false, "onStart()"},
    {"actionStop", QT_TRANSLATE_NOOP("CQuillmora", "  Stop"), "Ctrl+T", ":/res/stop.png",
     QT_TRANSLATE_NOOP("CQuillmora", "Stop the file converting."), nullptr, false, "onStop()"},
    {"actionEdit", QT_TRANSLATE_NOOP("CQuillmora", "  Edit"), "Ctrl+E", ":/res/edit.png",
     QT_TRANSLATE_NOOP("CQuillmora", "Edit the options for converting."), nullptr, false,
     "onEdit()"},
    {"actionSetting", QT_TRANSLATE_NOOP("CQuillmora", "  Setting"), "Ctrl+O", ":/res/setting.png",
     QT_TRANSLATE_NOOP("CQuillmora", "Set the options for converting."), nullptr, false,
     "onSettings()"},
    {"actionOutputFolder", QT_TRANSLATE_NOOP("CQuillmora", "Output Folder"), "Ctrl+F",
     ":/res/folder_documents.png", QT_TRANSLATE_NOOP("CQuillmora", "Open the output folder."),
     nullptr, true, "onOutFolder()"},
    {"actionEnglish", QT_TRANSLATE_NOOP("CQuillmora", "English"), nullptr, ":/res/englishlang.png",
     QT_TRANSLATE_NOOP("CQuillmora", "Select English."), nullptr, true, "onSelectEnglish()"},
    {"actionChinese", QT_TRANSLATE_NOOP("CQuillmora", "Chinese"), nullptr, ":/res/chinalang.png",
     QT_TRANSLATE_NOOP("CQuillmora", "Select Chinese."), nullptr, true, "onSelectChinese()"},
    {"actionJapanese", QT_TRANSLATE_NOOP("CQuillmora", "Japanese"), nullptr, ":/res/japanlang.png",
     QT_TRANSLATE_NOOP("CQuillmora", "Select Japanese."),
     QT_TRANSLATE_NOOP("CQuillmora", "Select Japaense."), true, "onSelectJapanese()"},
    {"actionAbout", QT_TRANSLATE_NOOP("CQuillmora", "  About"), "Ctrl+A", ":/res/About.png",
     QT_TRANSLATE_NOOP("CQuillmora", "Show the Quillmora's About box."), nullptr, true,
     "onAbout()"},
    {"actionExit", QT_TRANSLATE_NOOP("CQuillmora", "Exit"), "Ctrl+Q", nullptr,
     QT_TRANSLATE_NOOP("CQuillmora", "Close the Quillmora."), nullptr, true, "close()"},
    {"actionKeepSourceDates", QT_TRANSLATE_NOOP("CQuillmora", "Keep the source's file date"), nullptr,
     nullptr, QT_TRANSLATE_NOOP("CQuillmora", "Give each converted file the date of its source file."),
     nullptr, true, "onKeepSourceDates(bool)", true},
    {"actionAddFolder", QT_TRANSLATE_NOOP("CQuillmora", "Add Folder..."), nullptr, nullptr,
     QT_TRANSLATE_NOOP("CQuillmora", "Add every file of a folder and its subfolders with the current format."),
     nullptr, true, "onAddFolder()"},
    {"actionKeepFolderStructure", QT_TRANSLATE_NOOP("CQuillmora", "Keep the folder structure"), nullptr,
     nullptr,
     QT_TRANSLATE_NOOP("CQuillmora", "Put the outputs of a folder's files into the same subfolders of the output folder."),
     nullptr, true, "onKeepFolderStructure(bool)", true},
    {"actionSkipConverted", QT_TRANSLATE_NOOP("CQuillmora", "Skip files already converted"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("CQuillmora", "Leave a job unconverted when its output is there and not older than its source."),
     nullptr, true, "onSkipConverted(bool)", true},
    {"actionCheckQuality", QT_TRANSLATE_NOOP("CQuillmora", "Check quality"), nullptr, nullptr,
     QT_TRANSLATE_NOOP("CQuillmora",
                       "After each video job, compare the converted picture with its source (SSIM and "
                       "PSNR); the job's tooltip shows the figures."),
     nullptr, true, "onCheckQuality(bool)", true},
};

// An action, or a separator where there is none.
using Entry = std::optional<WindowAction>;
const Entry separator = std::nullopt;
using W = WindowAction;

struct MenuSpec {
    const char *objectName;
    const char *title;
    const char *titleAfterLanguageChange; // nullptr: the same title
    std::vector<Entry> entries;
};

const MenuSpec menuSpecs[] = {
    {"menuFile", QT_TRANSLATE_NOOP("CQuillmora", "File"), nullptr,
     {W::AddFolder, separator, W::RemoveItem, W::RemoveList, separator, W::Exit}},
    {"menuConvert", QT_TRANSLATE_NOOP("CQuillmora", "Convert"), nullptr, {W::Convert, W::Stop}},
    {"menuSetting", QT_TRANSLATE_NOOP("CQuillmora", "Setting"),
     QT_TRANSLATE_NOOP("CQuillmora", "Option"), {W::Setting, W::OutputFolder, separator, W::KeepSourceDates, W::KeepFolderStructure, W::SkipConverted,
      W::CheckQuality}},
    {"menuLanguage", QT_TRANSLATE_NOOP("CQuillmora", "Language"), nullptr,
     {W::English, W::Chinese, W::Japanese}},
    {"menuHelp", QT_TRANSLATE_NOOP("CQuillmora", "Help"), nullptr, {W::About}},
};

struct ToolBarSpec {
    const char *objectName;
    const char *title;
    std::vector<Entry> entries;
};

const ToolBarSpec toolBarSpecs[] = {
    {"toolBarFile", QT_TRANSLATE_NOOP("CQuillmora", "File"), {W::RemoveItem, W::RemoveList}},
    {"toolBarConvert", QT_TRANSLATE_NOOP("CQuillmora", "Convert"),
     {W::Convert, W::Stop, W::Edit, W::Setting}},
    {"toolBarHelp", QT_TRANSLATE_NOOP("CQuillmora", "Help"), {W::About}},
};

const std::vector<Entry> tableContextEntries = {
    W::OutputFolder, W::Setting, separator, W::RemoveItem, W::RemoveList, separator,
    W::Convert,      W::Stop,    separator, W::Edit,
};

// Fusion with half its horizontal tab padding: Fusion's own pushes "Advanced"
// out of the fixed-width format tabs and behind scroll arrows.
class CompactTabsStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    int pixelMetric(PixelMetric metric, const QStyleOption *option,
                    const QWidget *widget) const override
    {
        const int value = QProxyStyle::pixelMetric(metric, option, widget);
        return metric == PM_TabBarTabHSpace ? value / 2 : value;
    }
};

// Connects by the slot's signature, so that tables can name the slots they trigger.
void connectToNamedSlot(QObject *sender, const QMetaMethod &signal, QObject *receiver,
                        const char *slotSignature)
{
    const QMetaObject *meta = receiver->metaObject();
    const int index = meta->indexOfSlot(slotSignature);
    Q_ASSERT_X(index >= 0, "connectToNamedSlot", slotSignature);
    QObject::connect(sender, signal, receiver, meta->method(index));
}

} // namespace

void CQuillmora::createActions()
{
    for (int id = 0; id < WindowActionCount; ++id) {
        const ActionSpec &spec = actionSpecs[id];
        auto *act = new QAction(this);
        act->setObjectName(QLatin1String(spec.objectName));
        if (spec.shortcut)
            act->setShortcut(QKeySequence(QLatin1String(spec.shortcut)));
        if (spec.icon)
            act->setIcon(QIcon(QLatin1String(spec.icon)));
        act->setEnabled(spec.enabled);
        act->setCheckable(spec.checkable);
        connectToNamedSlot(act, QMetaMethod::fromSignal(&QAction::triggered), this, spec.slot);
        actions[id] = act;
    }
    action(WindowAction::KeepSourceDates)->setChecked(keepSourceDates);
    action(WindowAction::KeepFolderStructure)->setChecked(keepFolderStructure);
    action(WindowAction::SkipConverted)->setChecked(skipConverted);
    action(WindowAction::CheckQuality)->setChecked(checkQuality);
}

void CQuillmora::createMenus()
{
    static_assert(std::size(menuSpecs) == MenuCount);
    for (int index = 0; index < MenuCount; ++index) {
        const MenuSpec &spec = menuSpecs[index];
        QMenu *menu = menuBar()->addMenu(QString());
        menu->setObjectName(QLatin1String(spec.objectName));
        for (const Entry &entry : spec.entries) {
            if (entry)
                menu->addAction(action(*entry));
            else
                menu->addSeparator();
        }
        menus[index] = menu;
    }
    createJobsAtOnceMenu(menus[SettingMenu]);
}

void CQuillmora::createToolBars()
{
    for (const ToolBarSpec &spec : toolBarSpecs) {
        QToolBar *bar = addToolBar(translated(spec.title));
        bar->setObjectName(QLatin1String(spec.objectName));
        bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        bar->setIconSize(QSize(20, 20));
        for (const Entry &entry : spec.entries)
            bar->addAction(action(*entry));
    }
}

void CQuillmora::createCentralWidget()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));

    createJobTable();
    auto *upperRow = new QHBoxLayout;
    upperRow->addWidget(createFormatColumn(), 1);
    upperRow->addWidget(jobTable, 7);

    m_pChkShutDown = new QCheckBox(central);
    m_pChkShutDown->setObjectName(QStringLiteral("chkShutDown"));
    auto *lowerRow = new QHBoxLayout;
    lowerRow->addWidget(createOutputFolderRow(), 7, Qt::AlignLeft);
    lowerRow->addWidget(m_pChkShutDown, 3, Qt::AlignRight);

    auto *rows = new QVBoxLayout(central);
    rows->addLayout(upperRow, 20);
    rows->addLayout(lowerRow, 1);
    setCentralWidget(central);
    applyTexts(false);
}

void CQuillmora::createJobTable()
{
    jobTable = new JobTable(queue, [this] { return runControl && runControl->isRunning(); }, this);
    jobTable->setContextMenuPolicy(Qt::ActionsContextMenu);
    for (const Entry &entry : tableContextEntries) {
        if (entry) {
            jobTable->addAction(action(*entry));
        } else {
            auto *line = new QAction(jobTable);
            line->setSeparator(true);
            jobTable->addAction(line);
        }
    }

    connect(jobTable, &QAbstractItemView::clicked, this,
            [this](const QModelIndex &index) { onSelectItem(index.row(), index.column()); });
    connect(jobTable, &QAbstractItemView::doubleClicked, this,
            [this](const QModelIndex &index) { onSelectTableWidget(index.row(), index.column()); });
    // Keyboard moves change the current row too; Edit and Setting must follow it.
    connect(jobTable->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CQuillmora::updateEditActions);
}

QWidget *CQuillmora::createFormatColumn()
{
    auto *column = new QWidget(this);
    m_lblOutputFormat = new QLabel(column);
    m_lblOutputFormat->setObjectName(QStringLiteral("lblOutputFormat"));
    m_pFormatTabs = new QTabWidget(column);
    m_pFormatTabs->setObjectName(QStringLiteral("formatTabs"));
    m_pFormatTabs->setFixedWidth(230);
    m_pFormatTabs->setMinimumHeight(500);
    if (QStyle *fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QTabBar *bar = m_pFormatTabs->tabBar();
        auto *compact = new CompactTabsStyle(fusion);
        compact->setParent(bar); // deleted with the bar
        bar->setStyle(compact);
    }

    QVBoxLayout *tabLayouts[FormatTabCount] = {};
    QWidget *tabContents[FormatTabCount] = {};
    for (int tab = 0; tab < FormatTabCount; ++tab) {
        tabContents[tab] = new QWidget;
        tabLayouts[tab] = new QVBoxLayout(tabContents[tab]);
        // The page keeps the size its buttons need as their texts and the
        // language's font change: a scroll area does not resize its widget.
        tabLayouts[tab]->setSizeConstraint(QLayout::SetFixedSize);
    }

    const auto &specs = formatButtonSpecs();
    for (int index = 0; index < FormatButtonCount; ++index) {
        const FormatButtonSpec &spec = specs[index];
        const int tab = static_cast<int>(spec.tab);
        auto *button = new QToolButton(tabContents[tab]);
        button->setObjectName(formatButtonObjectName(spec.choice));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setIconSize(QSize(80, 80)); // the icon comes when its tab is first shown
        connectToNamedSlot(button, QMetaMethod::fromSignal(&QAbstractButton::clicked), this,
                           formatChoiceInfo(spec.choice).slot);
        tabLayouts[tab]->addWidget(button);
        formatButtons[index] = button;
    }

    for (int tab = 0; tab < FormatTabCount; ++tab) {
        auto *scroll = new QScrollArea;
        scroll->setWidgetResizable(false);
        scroll->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
        scroll->setWidget(tabContents[tab]);
        m_pFormatTabs->addTab(scroll, QString());
    }
    // The first paint shows one tab of four: each tab's images are read when
    // it is first shown, as a decoded image costs the start a millisecond.
    const auto showTabIcons = [this](int shown) {
        for (int index = 0; index < FormatButtonCount; ++index) {
            const FormatButtonSpec &spec = formatButtonSpecs()[index];
            if (static_cast<int>(spec.tab) == shown && formatButtons[index]->icon().isNull())
                formatButtons[index]->setIcon(QIcon(QLatin1String(spec.icon)));
        }
    };
    connect(m_pFormatTabs, &QTabWidget::currentChanged, this, showTabIcons);
    showTabIcons(m_pFormatTabs->currentIndex());

    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_lblOutputFormat);
    layout->addWidget(m_pFormatTabs);
    return column;
}

QWidget *CQuillmora::createOutputFolderRow()
{
    auto *group = new QWidget(this);
    group->setObjectName(QStringLiteral("outFolderGroup"));
    m_lblOutFolder = new QLabel(group);
    m_lblOutFolder->setObjectName(QStringLiteral("lblOutFolder"));
    m_pTxtOutFolder = new QLineEdit(outputFolder(), group);
    m_pTxtOutFolder->setObjectName(QStringLiteral("txtOutFolder"));
    m_pTxtOutFolder->setReadOnly(true);
    m_pTxtOutFolder->setMinimumWidth(400); // room for a typical path
    m_pBtnOutFolder = new QPushButton(QStringLiteral("..."), group);
    m_pBtnOutFolder->setObjectName(QStringLiteral("btnChooseOutFolder"));
    m_pBtnOutFolder->setFixedWidth(20);
    m_pBtnOpenFolder = new QPushButton(QIcon(QStringLiteral(":res/folder_documents.png")),
                                       QString(), group);
    m_pBtnOpenFolder->setObjectName(QStringLiteral("btnOpenFolder"));
    connect(m_pBtnOutFolder, &QPushButton::clicked, this, &CQuillmora::setOutFolder);
    connect(m_pBtnOpenFolder, &QPushButton::clicked, this, &CQuillmora::onOutFolder);

    m_lblOutFolder->setBuddy(m_pTxtOutFolder); // its text names the line edit for screen readers

    auto *layout = new QHBoxLayout(group);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_lblOutFolder);
    layout->addWidget(m_pTxtOutFolder);
    layout->addWidget(m_pBtnOutFolder);
    layout->addWidget(m_pBtnOpenFolder);
    return group;
}

void CQuillmora::applyTexts(bool languageChanged)
{
    for (int id = 0; id < WindowActionCount; ++id) {
        const ActionSpec &spec = actionSpecs[id];
        const char *tip = languageChanged && spec.tipAfterLanguageChange
                              ? spec.tipAfterLanguageChange
                              : spec.tip;
        actions[id]->setText(translated(spec.text));
        actions[id]->setStatusTip(translated(tip));
    }
    for (int index = 0; index < MenuCount; ++index) {
        const MenuSpec &spec = menuSpecs[index];
        const char *title = languageChanged && spec.titleAfterLanguageChange
                                ? spec.titleAfterLanguageChange
                                : spec.title;
        menus[index]->setTitle(translated(title));
    }
    jobsAtOnceMenu->setTitle(translated(QT_TRANSLATE_NOOP("CQuillmora", "Jobs at once")));
    jobsAtOnceMenu->actions().constFirst()->setText(translated(QT_TRANSLATE_NOOP("CQuillmora", "Automatic")));
    jobsAtOnceMenu->actions().constFirst()->setStatusTip(translated(
        QT_TRANSLATE_NOOP("CQuillmora", "Sound and pictures on every core, videos one at a time.")));

    m_lblOutputFormat->setText(translated(QT_TRANSLATE_NOOP("CQuillmora", "Output Format:")));
    for (int tab = 0; tab < FormatTabCount; ++tab)
        m_pFormatTabs->setTabText(tab, translated(formatTabTitle(static_cast<FormatTab>(tab))));
    // Format names stay as built; only the five descriptive texts follow the language.
    const auto &specs = formatButtonSpecs();
    for (int index = 0; index < FormatButtonCount; ++index) {
        const FormatChoiceInfo &info = formatChoiceInfo(specs[index].choice);
        formatButtons[index]->setText(languageChanged && info.translatableText
                                          ? translated(info.translatableText)
                                          : formatButtonText(specs[index].choice));
    }

    m_lblOutFolder->setText(translated(QT_TRANSLATE_NOOP("CQuillmora", "Output Folder")));
    m_pBtnOpenFolder->setText(translated(QT_TRANSLATE_NOOP("CQuillmora", "Open Folder")));
    m_pChkShutDown->setText(
        translated(QT_TRANSLATE_NOOP("CQuillmora", "After Converting : Shut Down Computer")));
    jobTable->retranslate();
    applyAccessibleNames();
}

// Names that screen readers announce for the controls that show no text of their own.
void CQuillmora::applyAccessibleNames()
{
    m_pFormatTabs->setAccessibleName(m_lblOutputFormat->text());
    m_pFormatTabs->tabBar()->setAccessibleName(m_lblOutputFormat->text());
    for (int tab = 0; tab < m_pFormatTabs->count(); ++tab)
        m_pFormatTabs->widget(tab)->setAccessibleName(m_pFormatTabs->tabText(tab));
    m_pBtnOutFolder->setAccessibleName(
        translated(QT_TRANSLATE_NOOP("CQuillmora", "Select the output folder")));
    // The buttons that the menu bar and the tool bars show for what does not fit.
    const QString more = translated(QT_TRANSLATE_NOOP("CQuillmora", "More actions"));
    QList<QToolButton *> extensions = menuBar()->findChildren<QToolButton *>(
        QStringLiteral("qt_menubar_ext_button"), Qt::FindDirectChildrenOnly);
    for (QToolBar *bar : findChildren<QToolBar *>())
        extensions += bar->findChildren<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"),
                                                      Qt::FindDirectChildrenOnly);
    for (QToolButton *button : std::as_const(extensions))
        button->setAccessibleName(more);
}
