#include "ResourceStore.h"

#include <QtGlobal>

// Defined by the generated resource source of the target (resource name varlen_assets).
static void registerAssetResources() { Q_INIT_RESOURCE(varlen_assets); }

namespace varlen {

QString assetResourcePath(int id) { return QStringLiteral(":/RCAD/%1").arg(id); }

QString cursorResourcePath(int id) { return QStringLiteral(":/cursors/%1.png").arg(id); }

QString iconResourcePath(int id) { return QStringLiteral(":/icons/%1.png").arg(id); }

QString applicationIconResourcePath(int size) { return QStringLiteral(":/icons/app-%1.png").arg(size); }

void initResources() { registerAssetResources(); }

} // namespace varlen
