#include "app/CCusporaApp.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    qdx::CCusporaApp program;
    return program.run(qdx::StartupOptions::parse(arguments));
}
