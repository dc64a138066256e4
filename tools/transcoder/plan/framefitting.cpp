#include "tools/transcoder/plan/framefitting.h"

#include "tools/transcoder/plan/filtergraph.h"

#include <QSize>

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

// Shapes this close are the same: rounding a size to the multiples an
// encoder needs changes the shape a little, and bars of a pixel or two would
// only be noise.
constexpr double shapeTolerance = 0.03;

struct Frame {
    QSize size;            // in pixels
    double aspect = 0;     // its width over its height as shown
    bool squarePixels = false;
};

// DV frames are 720x480 (NTSC) or 720x576 (PAL), shown 4:3 or 16:9: the
// nearer shape, told to the encoder with "-aspect".
std::optional<Frame> dvFrame(FfmpegCommand &command, const QString &target, double pictureAspect)
{
    const bool ntsc = target == QLatin1String("ntsc-dv");
    if (!ntsc && target != QLatin1String("pal-dv"))
        return std::nullopt;
    const bool wide = pictureAspect >= (4.0 / 3 + 16.0 / 9) / 2;
    if (!command.has(QStringLiteral("-aspect")))
        command.set(QStringLiteral("-aspect"), wide ? QStringLiteral("16:9") : QStringLiteral("4:3"));
    const double aspect = parseAspect(*command.value(QStringLiteral("-aspect")));
    return Frame{QSize(720, ntsc ? 480 : 576), aspect > 0 ? aspect : 4.0 / 3, false};
}

std::optional<Frame> frameOf(FfmpegCommand &command, QSize picture, double pictureAspect)
{
    if (const QString *target = command.value(QStringLiteral("-target")))
        return dvFrame(command, *target, pictureAspect);
    const QString *sizeText = command.value(QStringLiteral("-s"));
    const QString *aspectText = command.value(QStringLiteral("-aspect"));
    const QSize size = sizeText ? parseFrameSize(*sizeText) : picture;
    const double aspect = aspectText ? parseAspect(*aspectText) : 0;
    if ((!sizeText && !aspectText) || size.isEmpty() || (aspectText && aspect <= 0))
        return std::nullopt;
    if (aspectText)
        return Frame{size, aspect, false};
    return Frame{size, double(size.width()) / size.height(), true};
}

// The nearest even number within the frame: 4:2:0 pictures have even sides,
// and ffmpeg's pad filter rounds an odd frame down.
int evenWithin(double value, int frameSide)
{
    return std::clamp(int(std::lround(value / 2)) * 2, 2, std::max(2, frameSide & ~1));
}

} // namespace

void appendVideoFilters(FfmpegCommand &command, const QList<Filter> &added)
{
    FilterGraph graph;
    if (const QString *description = command.value(QStringLiteral("-vf"))) {
        std::optional<FilterGraph> given = parseFilterGraph(*description);
        if (!given)
            return; // the plan refused such a graph before
        graph = *given;
    }
    QStringList outputLabels;
    if (!graph.filters.isEmpty())
        std::swap(outputLabels, graph.filters.last().outputLabels);
    for (const Filter &filter : added) {
        graph.startsChain.append(graph.filters.isEmpty());
        graph.filters.append(filter);
    }
    graph.filters.last().outputLabels = outputLabels;
    command.set(QStringLiteral("-vf"), formatFilterGraph(graph));
}

namespace {

Filter filter(const QString &name, const QStringList &values)
{
    Filter made;
    made.name = name;
    made.hasArguments = true;
    for (const QString &value : values)
        made.options.append(FilterOption{QString(), value});
    return made;
}

} // namespace

void fitPictureIntoFrame(FfmpegCommand &command, const MediaFacts &input, bool pictureTurned)
{
    if (!input.hasVideo || input.width <= 0 || input.height <= 0 || command.has(QStringLiteral("-vn")))
        return;
    QSize picture(input.width, input.height);
    double pictureAspect = input.width * (input.pixelAspect > 0 ? input.pixelAspect : 1.0) / input.height;
    if (pictureTurned) {
        picture.transpose();
        pictureAspect = 1 / pictureAspect;
    }
    const std::optional<Frame> frame = frameOf(command, picture, pictureAspect);
    if (!frame || std::abs(pictureAspect / frame->aspect - 1) <= shapeTolerance)
        return;

    const int frameWidth = frame->size.width(), frameHeight = frame->size.height();
    const QSize box = pictureAspect < frame->aspect
                          ? QSize(evenWithin(frameWidth * pictureAspect / frame->aspect, frameWidth),
                                  evenWithin(frameHeight, frameHeight))
                          : QSize(evenWithin(frameWidth, frameWidth),
                                  evenWithin(frameHeight * frame->aspect / pictureAspect, frameHeight));
    QList<Filter> added{
        filter(QStringLiteral("scale"), {QString::number(box.width()), QString::number(box.height())}),
        filter(QStringLiteral("pad"), {QString::number(frameWidth), QString::number(frameHeight),
                                       QString::number((frameWidth - box.width()) / 2 & ~1),
                                       QString::number((frameHeight - box.height()) / 2 & ~1)}),
    };
    // "-aspect" sets the pixels' shape itself; otherwise they are square, as
    // the frame size asked for.
    if (frame->squarePixels)
        added.append(filter(QStringLiteral("setsar"), {QStringLiteral("1")}));
    appendVideoFilters(command, added);
}
