#include "host/shell/engine/VideoFilterCheck.h"

#include <QRegularExpression>

extern "C" {
#include <libavfilter/avfilter.h>
#include <libavutil/error.h>
}

namespace ZelkShell {

namespace {

// The graph of "[@label:]lavfi=[graph]", or a null string for other entries.
QString lavfiGraph(const QString& filter)
{
    static const QRegularExpression pattern(QStringLiteral("^(?:@[^:]*:)?lavfi=\\[(.*)\\]$"),
                                            QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(filter);
    return match.hasMatch() ? match.captured(1) : QString();
}

} // namespace

bool engineCanCreateVideoFilter(const QString& filter, QString* error)
{
    const QString graphText = lavfiGraph(filter);
    if (graphText.isNull())
        return true;
    AVFilterGraph* graph = avfilter_graph_alloc();
    if (!graph) {
        if (error)
            *error = QStringLiteral("out of memory");
        return false;
    }
    AVFilterInOut* inputs = nullptr;
    AVFilterInOut* outputs = nullptr;
    // Parsing creates and initialises every filter with its options: what
    // fails here is what the engine fails on when the video starts.
    const int status = avfilter_graph_parse2(graph, graphText.toUtf8().constData(), &inputs, &outputs);
    avfilter_inout_free(&inputs);
    avfilter_inout_free(&outputs);
    avfilter_graph_free(&graph);
    if (status >= 0)
        return true;
    if (error) {
        char reason[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(status, reason, sizeof reason);
        *error = QString::fromUtf8(reason);
    }
    return false;
}

} // namespace ZelkShell
