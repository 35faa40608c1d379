#include "host/shell/engine/VideoFilterChain.h"

#include "host/shell/engine/EngineRequests.h"
#include "host/shell/engine/VideoFilterCheck.h"

namespace ZelkShell {

namespace {

constexpr char filterProperty[] = "vf";

QString chainOf(const QStringList& filters)
{
    return filters.join(QLatin1Char(','));
}

} // namespace

QStringList VideoFilterChain::set(const QStringList& filters)
{
    QStringList creatable;
    for (const QString& filter : filters) {
        QString error;
        if (engineCanCreateVideoFilter(filter, &error))
            creatable << filter;
        else
            qWarning("zelk-player: video filter left out: %s: %s", qUtf8Printable(filter), qUtf8Printable(error));
    }
    const int generation = ++generation_;
    requests_.setProperty(filterProperty, chainOf(creatable), [this, creatable, generation](int status) {
        if (status < 0 && generation == generation_)
            offerEach({}, creatable, generation);
    });
    return creatable;
}

void VideoFilterChain::offerEach(QStringList accepted, QStringList remaining, int generation)
{
    if (remaining.isEmpty()) {
        requests_.setProperty(filterProperty, chainOf(accepted));
        return;
    }
    const QString filter = remaining.takeFirst();
    requests_.setProperty(filterProperty, chainOf(accepted + QStringList{filter}),
                          [this, accepted, remaining, filter, generation](int status) mutable {
                              if (generation != generation_)
                                  return;
                              if (status >= 0)
                                  accepted << filter;
                              else
                                  qWarning("zelk-player: video filter left out: %s", qUtf8Printable(filter));
                              offerEach(accepted, remaining, generation);
                          });
}

} // namespace ZelkShell
