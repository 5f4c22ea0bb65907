#include "StarterProduct.h"

#include "ToolError.h"
#include "ToolFiles.h"

#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace {

struct StarterFile {
    std::string_view path; // relative to the product's folder
    std::string_view text;
};

constexpr std::string_view kDescription =
    R"toml(# A product description made by `setupkit new`: change what you like, then
#
#   setupkit build product.toml -o disks        the distribution disks, disks/disk1, ...
#
# docs/product-description.md lists every table and key; `setupkit dump disks/disk1/SETUP.INF`
# shows the script that SETUP.EXE reads, every tree and definition spelt out.

# Names written once and used in every text as ${name}.
[define]
name = "My Product"
version = "1.0"
company = "My Company"

[product]
name = "${name} ${version}"

[welcome]
title = "Welcome"
text = """
Welcome to the ${name} setup program.

Close every other program before you go on."""

[destination]
title = "Choose Destination Directory"
text = "Setup will install ${name} in the directory shown below."

[disk_prompt]
title = "Insert Disk"
text = "Please insert the next ${name} disk."

[success]
caption = "${name} Setup"
text = "${name} has been installed."

[failure]
caption = "${name} Setup"
text = "${name} has not been installed completely. Run Setup again to finish it."

[cancel]
caption = "Cancel Setup"
text = "Setup is not complete. Do you want to cancel it?"

[background]
style = "gradient"

# Shown before the destination page; build stores it with CR LF line ends.
[readme]
file = "README.TXT"
source = "files/readme.txt"

# Floppies of 1.44 MB, labelled "My Product Disk 1", ... (an item may name a disk by it).
[disks]
capacity = "1.44M"
label_pattern = "${name} Disk %d"

# The first directory is the destination the user may change; ?F is Program Files, ?D the
# destination.
[[directory]]
id = "app"
path = "?F\\${name}"

[[directory]]
id = "samples"
path = "?D\\SAMPLES"

# Everything below files/program goes to the destination, each folder as a directory of its
# own; ** stands for any folders, * and ? for characters of a name. Files are stored on the
# disks as they are unless compressed: compressed, programs and texts need about a third of
# the disks.
[[tree]]
id = "program"
source = "files/program"
directory = "app"
include = ["**"]
exclude = ["**/*.bak", "**/*.tmp"]
compressed = true
components = ["Program Files"]

[[tree]]
id = "samples"
source = "files/samples"
directory = "samples"
overwrite = "never"        # keep what the user changed in them
compressed = true
components = ["Samples"]

[program_groups]
names = ["${name}"]

# ${tree-id/path} is where a tree's file is installed. A command that is one program or one
# document makes a shortcut on Windows and under Wine; Wine's shell makes none for a command
# with arguments (docs/product-description.md).
[[program_item]]
name = "Read Me"
command = "${program/README.TXT}"
working_directory = "?D"

[[program_item]]
name = "User Guide"
command = "${program/docs/GUIDE.TXT}"
working_directory = "?D"

# Keys in brackets, from one of HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE,
# HKEY_USERS, HKEY_CURRENT_CONFIG or HKEY_DYN_DATA.
[[registry]]
key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\${company}\\${name}]"

[[registry.value]]
name = "InstallDir"
text = "?D"

[[registry.value]]
name = "Version"
text = "${version}"

# Components: what the custom page offers. A tree joins them through its `components`; files
# of a tree may also be listed one by one, as "tree-id/path".
[[component]]
name = "Program Files"
description = "${name} itself and its guide."
minimal = true
typical = true

[[component]]
name = "Samples"
description = "Examples to start from."
typical = true

[setup_types]
typical = { offered = true, label = "Typical" }
minimal = { offered = true, label = "Minimal" }
custom = { offered = true, label = "Custom" }

[uninstall]
name = "${name}"
)toml";

constexpr StarterFile kFiles[] = {
    {"product.toml", kDescription},
    {"files/readme.txt", "My Product 1.0\n\nThis is the read-me that Setup shows before it asks "
                         "where to install.\nWrite here what the user should know first.\n"},
    {"files/program/README.TXT", "My Product 1.0\n\nWhat it is, and how to start it.\n"},
    {"files/program/MYPROD.INI", "[Settings]\nWindowSize=Normal\n"},
    {"files/program/docs/GUIDE.TXT", "The guide to My Product.\n"},
    {"files/program/docs/CHANGES.TXT", "1.0: the first version.\n"},
    {"files/samples/FIRST.TXT", "A first example.\n"},
    {"files/samples/SECOND.TXT", "A second example.\n"},
};

} // namespace

void WriteStarterProduct(const fs::path& folder) {
    std::error_code code;
    if (fs::exists(folder, code)) {
        if (!fs::is_directory(folder, code)) {
            throw ToolError(folder.string() + ": exists and is not a folder");
        }
        if (!fs::is_empty(folder, code) || code) {
            throw ToolError(folder.string() + ": is not empty; give a new or empty folder");
        }
    }
    for (const StarterFile& file : kFiles) {
        const fs::path path = folder / fs::path(file.path);
        fs::create_directories(path.parent_path(), code);
        if (code) {
            throw ToolError(path.parent_path().string() + ": cannot create: " + code.message());
        }
        WriteTextFile(path, file.text, ExistingFile::Refuse);
    }
}
