// shirl: the desktop program.
#include "app/qt/shirl_app.h"

int main(int argc, char** argv) {
    shirl::qt::CShirlApp app(argc, argv);
    app.InitInstance();
    return 0;
}
