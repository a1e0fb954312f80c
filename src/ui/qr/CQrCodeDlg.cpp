#include "ui/qr/CQrCodeDlg.h"

#include "ui/common/CColorButton.h"
#include "ui/common/Prompts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace qdx {

namespace {

constexpr int kQuietModules = 4;
constexpr int kPixelsPerModule = 4;

} // namespace

QImage CQrCodeDlg::monochromeImage(const QrModules& modules, int scale) {
    if (modules.empty())
        return {};
    const int side = (modules.width + 2 * kQuietModules) * scale;
    QImage image(side, side, QImage::Format_Mono);
    image.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    image.fill(0);
    for (int y = 0; y < modules.width; ++y) {
        for (int x = 0; x < modules.width; ++x) {
            if (!modules.isDark(x, y))
                continue;
            const int left = (x + kQuietModules) * scale;
            const int top = (y + kQuietModules) * scale;
            for (int dy = 0; dy < scale; ++dy)
                for (int dx = 0; dx < scale; ++dx)
                    image.setPixel(left + dx, top + dy, 1);
        }
    }
    return image;
}

CQrCodeDlg::CQrCodeDlg(const QString& text, const QString& proposedName, QWidget* parent)
    : QDialog(parent), m_proposedName(proposedName) {
    setObjectName(QStringLiteral("CQrCodeDlg"));
    setWindowTitle(tr("QRコード - Quendix Free"));
    m_picture = monochromeImage(encodeQr(text.toStdString()), kPixelsPerModule);

    m_pictureLabel = new QLabel(this);
    m_pictureLabel->setObjectName(QStringLiteral("qrPicture"));
    m_pictureLabel->setAlignment(Qt::AlignCenter);
    m_pictureLabel->setPixmap(QPixmap::fromImage(m_picture));
    m_pictureLabel->setToolTip(text);

    auto* save = new CColorButton(tr("ファイルに保存"), this);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setEnabled(hasPicture());
    m_saveButton = save;
    auto* close = new CColorButton(tr("終了"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setColors(CColorButton::confirmFace(), Qt::white);
    m_closeButton = close;
    for (auto* button : {m_saveButton, m_closeButton}) {
        button->setAutoDefault(false);
        button->setMinimumSize(100, 30);
    }
    connect(m_saveButton, &QPushButton::clicked, this, &CQrCodeDlg::savePicture);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_saveButton);
    buttons->addStretch();
    buttons->addWidget(m_closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pictureLabel);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool CQrCodeDlg::savePicture() {
    if (!hasPicture())
        return false;
    Prompts::FileChoice choice;
    choice.kind = Prompts::FileChoice::Save;
    choice.filter = tr("ビットマップ (*.bmp)");
    choice.defaultSuffix = QStringLiteral("bmp");
    choice.initialPath = m_proposedName;
    const QString path = Prompts::chooseFile(this, choice);
    if (path.isEmpty())
        return false;
    if (!m_picture.save(path, "BMP")) {
        Prompts::message(this, tr("ファイルを保存できませんでした。\n") + path, MessageButtons::Ok,
                         MessageIcon::Error);
        return false;
    }
    return true;
}

} // namespace qdx
