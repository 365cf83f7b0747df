// The version query to the update service: where it goes and what it says about this copy.
#pragma once

#include <string>
#include <string_view>

#include "core/update/version_number.h"

namespace tv {

// The page every query asks, below the endpoint.
inline constexpr std::string_view kUpdatePage = "get_content_info.php";
// Where the endpoint is configured: a key = value file of the program folder.
inline constexpr std::string_view kUpdateConfigPath = "data/update.cfg";

// The service's address for this deployment: `endpoint` in programDir + "data/update.cfg",
// trimmed; it must be quoted, like every value holding "//" in these files. Empty when the
// file or the key is missing or holds no address ("scheme://..."): the check then has nowhere
// to go.
std::string readUpdateEndpoint(const std::string& programDir);

// The skin name as the query reports it: every character that is not an ASCII letter, digit,
// "-" or "_" becomes one "_".
std::string cleanSkinName(std::string_view skin);

struct UpdateQuery {
    bool manual = false;
    std::string userId;  // may be empty
    std::string skin;    // the `Skin` setting as stored
    int entries = 0;     // events in the event table
    VersionNumber version = VersionNumber::running();
};

// endpoint (with a "/" added when missing) + the page + the parameters in their fixed order:
// mode, check_type, id, user_id, use_user_id, tempovirens_skin, tempovirens_entries, ver_maj,
// ver_min, ver_rev.
std::string buildUpdateQuery(std::string_view endpoint, const UpdateQuery& q);

}  // namespace tv
