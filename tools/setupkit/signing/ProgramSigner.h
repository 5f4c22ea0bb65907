#pragma once

#include "PrivateFolder.h"
#include "SigningRequest.h"

#include <filesystem>
#include <memory>
#include <vector>

// Signed copies of the programs build puts on disk 1, made before anything is compressed,
// split or placed, so that the disks hold the signed programs and the script their sizes.
struct SignedCopies {
    std::unique_ptr<PrivateFolder> folder;       // holds the copies until the build is done
    std::vector<std::filesystem::path> programs; // in the order they were given
};

// Checks the request (CheckSigningRequest) and signs a copy of each program in a new private
// folder; the originals stay as they are. A password from an environment variable reaches
// osslsigncode through a pipe, never a file or an argument. Throws ToolError with
// osslsigncode's message when a program cannot be signed; nothing is left behind then.
[[nodiscard]] SignedCopies SignCopies(const SigningRequest& request,
                                      const std::vector<std::filesystem::path>& programs);
