#include <QObject>
#include "support/GuiTestMain.h"
class T : public QObject { Q_OBJECT };
KELVORA_GUI_TEST_MAIN(T)
#include "snapshot_test.moc"
