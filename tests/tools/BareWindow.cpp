// rp58-bare-window: the least a Qt program of this tree can show, an empty
// main window of the program's window size, with the same start probe. What
// the start-up benchmark measures the program against. With --text the
// window shows one line of text, so it pays what every window with text
// pays (the font database) and no more.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <cstring>

#include "app/StartProbe.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  InstallStartProbe();
  QMainWindow window;
  window.resize(760, 560);
  if (argc > 1 && std::strcmp(argv[1], "--text") == 0) window.setCentralWidget(new QLabel("File:DEFAULTU.K58"));
  window.show();
  return app.exec();
}
