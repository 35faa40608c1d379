// catalogue_check FILE.ts...: fails (exit 1) unless every message of every
// translation source is finished and still in the sources, and keeps the
// placeholders (%1, %2) and the keyboard accelerator (&) of its source text.

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QXmlStreamReader>

#include <cstdio>

namespace {

QSet<QString> placeholders(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("%\\d+"));
    QSet<QString> found;
    for (auto match = pattern.globalMatch(text); match.hasNext();)
        found.insert(match.next().captured());
    return found;
}

// "&File" marks F; "&&" is a literal ampersand.
int accelerators(const QString& text)
{
    int count = 0;
    for (int i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('&'))
            continue;
        if (text.at(i + 1) == QLatin1Char('&'))
            ++i;
        else if (!text.at(i + 1).isSpace())
            ++count;
    }
    return count;
}

struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;
};

QString problemOf(const Message& message)
{
    if (message.type == QLatin1String("vanished") || message.type == QLatin1String("obsolete"))
        return QStringLiteral("its source text is gone from the sources");
    if (message.type == QLatin1String("unfinished") || message.translation.isEmpty())
        return QStringLiteral("no finished translation");
    if (placeholders(message.source) != placeholders(message.translation))
        return QStringLiteral("placeholders differ in \"%1\"").arg(message.translation);
    if (accelerators(message.source) != accelerators(message.translation))
        return QStringLiteral("accelerators differ in \"%1\"").arg(message.translation);
    return QString();
}

// Checks one file; returns its problems, or one line saying it is unreadable.
QStringList checkFile(const QString& path, int* checked)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {path + QStringLiteral(": cannot be read")};
    QXmlStreamReader xml(&file);
    QStringList problems;
    QString context;
    Message message;
    int messages = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringRef name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message{context, QString(), QString(), QString()};
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            message.type = xml.attributes().value(QLatin1String("type")).toString();
            message.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            ++messages;
            const QString problem = problemOf(message);
            if (!problem.isEmpty())
                problems << QStringLiteral("%1: %2: \"%3\": %4").arg(path, message.context, message.source, problem);
        }
    }
    if (xml.hasError())
        problems << QStringLiteral("%1: %2").arg(path, xml.errorString());
    else if (messages == 0)
        problems << path + QStringLiteral(": holds no message");
    *checked += messages;
    return problems;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList files = app.arguments().mid(1);
    if (files.isEmpty()) {
        std::fputs("usage: catalogue_check FILE.ts...\n", stderr);
        return 2;
    }
    QStringList problems;
    int checked = 0;
    for (const QString& file : files)
        problems << checkFile(file, &checked);
    for (const QString& problem : problems)
        std::printf("%s\n", qUtf8Printable(problem));
    std::printf("%d messages in %d files, %d problems\n", checked, int(files.size()), int(problems.size()));
    return problems.isEmpty() ? 0 : 1;
}
