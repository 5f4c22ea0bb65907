#include "ProductDisks.h"

#include "ToolError.h"
#include "disks/UninstallerItems.h"

#include <cstdio>

ProductDescription LoadDescriptionForCommand(const std::string& path) {
    Result<ProductDescription> loaded = LoadProductDescription(path);
    if (!loaded) {
        throw ToolError(loaded.Error());
    }
    for (const SourceError& warning : loaded.Value().warnings) {
        std::fprintf(stderr, "%s\n", warning.Message("warning").c_str());
    }
    return std::move(loaded.Value());
}

BuildReport BuildProductDisks(ProductDescription& description, const BuildOptions& options,
                              const std::filesystem::path& uninstaller) {
    if (description.addUninstaller) {
        AddUninstallerItems(description, uninstaller.empty() ? DefaultUninstaller(options.setupExe)
                                                             : uninstaller);
    }
    BuildReport report = BuildDisks(description, options, stderr);
    for (const std::string& warning : report.warnings) {
        std::fprintf(stderr, "%s\n", warning.c_str());
    }
    return report;
}
