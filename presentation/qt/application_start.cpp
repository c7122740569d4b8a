#include "application_start.h"

#include <cstdio>

#include <QStringList>
#include <unistd.h>

#include "captured_stderr.h"

namespace quadrell {

namespace {

// What the toolkit said while it was connecting; kept back until it is known whether it worked.
struct HeldStart {
    CapturedStderr rawOutput;
    QStringList formatted;
    QString firstComplaint;
};
HeldStart* held = nullptr;

QString OneLine(const QByteArray& text)
{
    return QString::fromLocal8Bit(text).simplified();
}

[[noreturn]] void ReportFailedStart(const QString& fatalMessage)
{
    QString reason = held->firstComplaint.isEmpty() ? fatalMessage.section(QLatin1Char('\n'), 0, 0)
                                                    : held->firstComplaint;
    if (const QString raw = OneLine(held->rawOutput.text()); !raw.isEmpty())
        reason += QStringLiteral(" (%1)").arg(raw);
    held->rawOutput.writeToOriginal(
        QStringLiteral("quadrell: cannot open the window: %1\n").arg(OneLine(reason.toLocal8Bit())).toLocal8Bit());
    _exit(1);  // Qt's state is half built: run no destructors
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg)
        ReportFailedStart(message);
    if (type != QtDebugMsg && type != QtInfoMsg && held->firstComplaint.isEmpty())
        held->firstComplaint = message;
    held->formatted << qFormatLogMessage(type, context, message);
}

// The start worked: says what was held back, as it would have been said.
void ReleaseHeldMessages()
{
    qInstallMessageHandler(nullptr);
    const QByteArray raw = held->rawOutput.text();
    const QStringList formatted = held->formatted;
    delete held;  // puts standard error back
    held = nullptr;
    std::fwrite(raw.constData(), 1, static_cast<size_t>(raw.size()), stderr);
    for (const QString& line : formatted)
        std::fprintf(stderr, "%s\n", qPrintable(line));
}

}  // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv)
{
    qSetMessagePattern(QStringLiteral("quadrell: %{if-category}%{category}: %{endif}%{message}"));
    held = new HeldStart;
    qInstallMessageHandler(HoldMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    ReleaseHeldMessages();
    return application;
}

}  // namespace quadrell
