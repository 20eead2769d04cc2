#include "UserModel.hpp"

#include <algorithm>

namespace RandomUsers {

UserModel MakeUserModel(const Json& project) {
    UserModel model;
    model.project = project;
    for (const Json& element : project["elements"]) {
        std::string id;
        if (element.contains("apartmentId"))
            id = element["apartmentId"];
        else if (element.contains("parameters") && element["parameters"].contains("zm_apartmentId"))
            id = element["parameters"]["zm_apartmentId"];
        else
            continue;
        if (std::find(model.apartmentIds.begin(), model.apartmentIds.end(), id) == model.apartmentIds.end())
            model.apartmentIds.push_back(id);
    }
    for (const Json& category : project["zoneCategories"])
        model.highestCategory = std::max(model.highestCategory, category["index"].get<int>());
    model.stories = static_cast<int>(project["stories"].size());
    model.teamwork = project["teamwork"];
    return model;
}

} // namespace RandomUsers
