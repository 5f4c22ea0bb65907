#include "NewCommand.h"

#include "StarterProduct.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

CommandResult RunNew(const std::string& folder) {
    WriteStarterProduct(folder);
    std::printf("wrote a starter product to %s; build it with\n"
                "  setupkit build %s/product.toml -o %s/disks\n",
                folder.c_str(), folder.c_str(), folder.c_str());
    return CommandResult::Success;
}

} // namespace

void AddNewCommand(CLI::App& app, ChosenCommand& chosen) {
    auto folder = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand(
        "new", "Write a starter product (a description and small source files) into DIR");
    command->add_option("folder", *folder, "the folder to write it to (new or empty)")->required();
    command->callback([folder, &chosen] {
        chosen = {"new", "", [folder] { return RunNew(*folder); }};
    });
}
