#include "ui/app/vesk_application.h"

int main(int argc, char** argv) { return vesk::ui::VeskApplication::create()->run(argc, argv); }
