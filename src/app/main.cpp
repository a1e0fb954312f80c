#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMessageBox::information(nullptr, "Quendix Free", "The desktop program is not built yet.");
    return 0;
}
