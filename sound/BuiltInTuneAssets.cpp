#include "BuiltInTune.h"

#include "AssetStore.h"

BuiltInTune::AssetStore BuiltInTune::embeddedAssets()
{
    return {[] { return assetDirectory(); },
            [](int id, std::string directory, std::string baseName) {
                return extractAsset(id, std::move(directory), std::move(baseName));
            },
            [](const std::string &path) { deleteAssetFile(path); }};
}
