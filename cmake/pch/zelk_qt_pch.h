// The Qt and standard headers most of the project's Qt sources include;
// precompiled once per build (see cmake/ZelkPrecompiledQt.cmake). Only widely
// used headers belong here: a bigger header costs every file that loads it.
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QMap>
#include <QObject>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVariant>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>
