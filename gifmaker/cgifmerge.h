#pragma once

#include "gifmaker/gifjob.h"

#include <QDialog>
#include <QString>

#include <memory>

class Ui_GifMerge;
class VlcInstance;
class VlcMedia;
class VlcMediaPlayer;

// The GIF maker: one video, a start found in a small preview, a length of
// 0 to 10 seconds and one of three frame sizes.
class CGIFMerge : public QDialog
{
    Q_OBJECT

public:
    explicit CGIFMerge(QWidget *parent = nullptr);
    ~CGIFMerge() override;

    void setStartFolder(const QString &folder) { startFolder = folder; }
    GifChoice choice() const { return chosen; }

    // How long a file may take to start playing before it counts as unplayable.
    static constexpr int PlayWaitMs = 5000;

private slots:
    void onBrowserButtonClick();
    void onGifLengthChanged();
    void onOkBtnClick();
    void onCancelBtnClick();
    void onSTDecreaseClick();
    void onSTIncreaseClick();
    void onETDecreaseClick();
    void onETIncreaseClick();
    void onChangeSize(int index);

private:
    void fillSizeList();
    bool load(const QString &path);
    // The start moves from the one last chosen: a paused player may not have
    // taken the last position yet when the next click comes.
    void moveStart(int deltaMs);

    std::unique_ptr<Ui_GifMerge> ui;
    QString startFolder;
    GifChoice chosen;
    VlcInstance *instance = nullptr;
    VlcMedia *media = nullptr;
    VlcMediaPlayer *player = nullptr;
};
