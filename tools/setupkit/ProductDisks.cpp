#include "ProductDisks.h"

#include "disks/UninstallerItems.h"

#include <cstdio>

std::optional<ProductDescription> LoadDescriptionForCommand(const std::string& path) {
    Result<ProductDescription> loaded = LoadProductDescription(path);
    if (!loaded) {
        std::fprintf(stderr, "%s\n", loaded.Error().Message().c_str());
        return std::nullopt;
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

CommandResult ReportToolError(const ToolError& error, const std::string& description,
                              const char* command) {
    const std::string message = error.what();
    const bool located = message.starts_with(description + ":");
    std::fprintf(stderr, "%s%s\n",
                 located ? "" : (std::string("setupkit ") + command + ": ").c_str(),
                 message.c_str());
    return CommandResult::BadInput;
}
