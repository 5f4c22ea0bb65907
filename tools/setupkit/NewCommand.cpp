#include "NewCommand.h"

#include "StarterProduct.h"
#include "disks/ToolFiles.h"

#include <cstdio>
#include <memory>
#include <string>

void AddNewCommand(CLI::App& app, CommandResult& result) {
    auto folder = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand(
        "new", "Write a starter product (a description and small source files) into DIR");
    command->add_option("folder", *folder, "the folder to write it to (new or empty)")->required();
    command->callback([folder, &result] {
        try {
            WriteStarterProduct(*folder);
            std::printf("wrote a starter product to %s; build it with\n"
                        "  setupkit build %s/product.toml -o %s/disks\n",
                        folder->c_str(), folder->c_str(), folder->c_str());
            result = CommandResult::Success;
        } catch (const ToolError& error) {
            std::fprintf(stderr, "setupkit new: %s\n", error.what());
            result = CommandResult::BadInput;
        }
    });
}
