#include "app/optiontables.h"
#include "app/outputprofile.h"

#include <QtTest>

class TestProfiles : public QObject
{
    Q_OBJECT

private slots:
    void everyIdFindsItsOwnRow();
    void rows_data();
    void rows();
    void presets_data();
    void presets();
    void presetsLeaveTheTableAlone();
    void notApplicableValuesNeverMove();
    void listOrdersCoverEverySpaceOnce();
    void codecListsOfferOnlyRealCodecs();
};

void TestProfiles::everyIdFindsItsOwnRow()
{
    QCOMPARE(int(profileTable().size()), 39);
    for (int id = 0; id < FormatCount; ++id) {
        QCOMPARE(profileRowOf(id), id);
        QCOMPARE(defaultProfile(id).formatId, id);
    }
    QCOMPARE(profileRowOf(39), -1);
    QCOMPARE(profileRowOf(-1), -1);
}

// A few rows written out in full, one of every shape of the table.
void TestProfiles::rows_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QVector<int>>("fields");
    QTest::newRow("MP4") << 0 << QVector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("FLV") << 1 << QVector<int>{1, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0};
    QTest::newRow("MPG") << 7 << QVector<int>{7, 0, 6, 0, 0, 0, 0, 2, 0, 0, 0};
    QTest::newRow("RM") << 10 << QVector<int>{10, 0, 10, 0, 0, 0, 0, 3, 0, 0, 0};
    QTest::newRow("MP3") << 11 << QVector<int>{11, 1, 12, 13, 8, 10, 8, 1, 0, 0, 0};
    QTest::newRow("RA") << 20 << QVector<int>{20, 1, 12, 13, 8, 10, 8, 3, 0, 0, 0};
    QTest::newRow("FLAC") << 21 << QVector<int>{21, 1, 12, 13, 8, 10, 8, 9, 0, 0, 0};
    QTest::newRow("ICO") << 28 << QVector<int>{28, 3, 12, 13, 8, 10, 8, 10, 3, 6, 7};
    QTest::newRow("video joiner") << 30 << QVector<int>{30, 4, 0, 6, 5, 8, 5, 1, 1, 1, 5};
    QTest::newRow("audio joiner") << 31 << QVector<int>{31, 5, 12, 13, 8, 10, 8, 1, 1, 1, 5};
    QTest::newRow("GIF maker") << 32 << QVector<int>{32, 6, 12, 13, 8, 10, 8, 10, 3, 6, 7};
    QTest::newRow("WebM") << 33 << QVector<int>{33, 0, 14, 0, 0, 0, 0, 11, 0, 0, 0};
    QTest::newRow("HEVC") << 34 << QVector<int>{34, 0, 13, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("AV1") << 35 << QVector<int>{35, 0, 15, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("Opus") << 36 << QVector<int>{36, 1, 12, 13, 8, 10, 8, 11, 0, 0, 0};
    QTest::newRow("AVIF") << 38 << QVector<int>{38, 3, 12, 13, 8, 10, 8, 10, 3, 6, 7};
}

void TestProfiles::rows()
{
    QFETCH(int, id);
    QFETCH(QVector<int>, fields);
    const OutputProfile profile = defaultProfile(id);
    for (int i = 0; i < OutputProfile::FieldCount; ++i)
        QCOMPARE(profile.field(i), fields[i]);
}

void TestProfiles::presets_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<int>("formatId");
    QTest::newRow("Apple") << int(DevicePreset::Apple) << 6;
    QTest::newRow("Android") << int(DevicePreset::Android) << 0;
}

void TestProfiles::presets()
{
    QFETCH(int, preset);
    QFETCH(int, formatId);
    const OutputProfile profile = devicePresetProfile(DevicePreset(preset));
    const QVector<int> expected{formatId, 0, 0, 6, 7, 6, 5, 0, 1, 1, 5};
    for (int i = 0; i < OutputProfile::FieldCount; ++i)
        QCOMPARE(profile.field(i), expected[i]);
}

void TestProfiles::presetsLeaveTheTableAlone()
{
    const OutputProfile mov = profileTable()[6];
    devicePresetProfile(DevicePreset::Apple);
    devicePresetProfile(DevicePreset::Android);
    QCOMPARE(profileTable()[6], mov);
    QCOMPARE(defaultProfile(6).vSize, 0);
    QCOMPARE(defaultProfile(0).aBitrate, 0);
}

// Stored job lists hold the not-applicable values of the first version; the
// codecs added since take the indices after them.
void TestProfiles::notApplicableValuesNeverMove()
{
    const QVector<int> stored{12, 13, 8, 10, 8, 10, 3, 6, 7};
    for (int f = 0; f < OptionFieldCount; ++f) {
        const auto field = OptionField(f);
        QCOMPARE(notApplicable(field), stored[f]);
        QVERIFY(optionLabel(field, 0) != nullptr);
        QVERIFY(optionLabel(field, notApplicable(field) - 1) != nullptr);
        QVERIFY(optionLabel(field, notApplicable(field)) == nullptr);
        QVERIFY(!optionListOrder(field).contains(notApplicable(field)));
    }
    QCOMPARE(QString(optionLabel(OptionField::VideoCodec, 13)), QString("HEVC(H.265)"));
    QCOMPARE(QString(optionLabel(OptionField::VideoCodec, 15)), QString("AV1"));
    QCOMPARE(QString(optionLabel(OptionField::AudioCodec, 11)), QString("Opus"));
    QVERIFY(optionLabel(OptionField::VideoSize, 1) == nullptr);
    QVERIFY(optionLabel(OptionField::VideoSize, 2) == nullptr);
    QCOMPARE(QString(optionLabel(OptionField::VideoSize, 6)), QString("720x480 (HD)"));
    QCOMPARE(QString(optionLabel(OptionField::AudioChannels, 1)), QString("2 Stereo"));
}

void TestProfiles::listOrdersCoverEverySpaceOnce()
{
    QCOMPARE(optionListOrder(OptionField::VideoSize), (QVector<int>{0, 3, 4, 5, 7, 6, 8, 9, 10, 11, 12}));
    QCOMPARE(optionListOrder(OptionField::AudioChannels), (QVector<int>{0, 2, 1}));
    QCOMPARE(optionListOrder(OptionField::AudioSamples), (QVector<int>{0, 4, 2, 3, 1, 5}));
    QCOMPARE(optionListOrder(OptionField::VideoFps).size(), 8);
    QCOMPARE(optionListOrder(OptionField::AudioBitrate).size(), 7);
}

void TestProfiles::codecListsOfferOnlyRealCodecs()
{
    for (int id = 0; id < FormatCount; ++id) {
        const OutputProfile row = defaultProfile(id);
        for (int codec : videoCodecsOffered(id))
            QVERIFY(optionLabel(OptionField::VideoCodec, codec));
        for (int codec : audioCodecsOffered(id))
            QVERIFY(optionLabel(OptionField::AudioCodec, codec));
        QCOMPARE(videoCodecsOffered(id).isEmpty(), row.category != Video);
        QCOMPARE(audioCodecsOffered(id).isEmpty(), row.category != Video && row.category != Audio);
    }
    QCOMPARE(videoCodecsOffered(2), (QVector<int>{0, 2, 3, 5, 1, 7, 8}));
    QCOMPARE(audioCodecsOffered(9), (QVector<int>{5, 4}));
    QVERIFY(!audioCodecsOffered(1).contains(defaultProfile(1).aCodec)); // FLV's MP3 default is not listed
}

QTEST_APPLESS_MAIN(TestProfiles)
#include "tst_profiles.moc"
