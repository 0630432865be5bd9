#pragma once

#include "model/collection.h"

#include <nlohmann/json.hpp>

namespace kt::cli {

// The collection as the JSON object of "dump": texts in UTF-8, pictures with the SHA-256 of
// their bytes.
nlohmann::ordered_json CollectionToJson(const Collection& c);
// A collection from a JSON document of that form, a picture's bytes given as PicDataBase64.
// Missing film fields keep the values of a new film; throws std::runtime_error (German text) or
// nlohmann::json::exception for a document of another form.
void CollectionFromJson(const nlohmann::json& doc, Collection& c);

} // namespace kt::cli
