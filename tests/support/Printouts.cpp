#include "support/Printouts.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

namespace qdx::test {

void keepPrintout(const QString& pdf, const QString& name) {
    if (const QString keep = qEnvironmentVariable("QDX_TEST_ARTIFACTS"); !keep.isEmpty())
        QFile::copy(pdf, keep + "/" + name);
}

QString printoutRenderFailure(const QString& pdf, const std::string& pagePrefix) {
    const QString prefix = QString::fromStdString(pagePrefix);
    QProcess render;
    render.start("pdftoppm", {"-r", "20", "-png", pdf, prefix});
    if (!render.waitForStarted(5000))
        return {};
    render.waitForFinished(60000);
    if (render.exitCode() != 0)
        return QStringLiteral("pdftoppm exited with %1").arg(render.exitCode());
    if (!QFile::exists(prefix + "-1.png") && !QFile::exists(prefix + "-01.png"))
        return QStringLiteral("no first page rendered");
    return {};
}

} // namespace qdx::test
