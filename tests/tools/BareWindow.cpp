// rp58-bare-window: the least a Qt program of this tree can show, an empty
// main window of the program's window size, with the same start probe. What
// the start-up benchmark measures the program against.
#include <QApplication>
#include <QMainWindow>

#include "app/StartProbe.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallStartProbe();
  QMainWindow window;
  window.resize(760, 560);
  window.show();
  return app.exec();
}
