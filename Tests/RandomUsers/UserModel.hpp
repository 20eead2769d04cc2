#ifndef ZARIMARK_TESTS_RANDOMUSERS_USERMODEL_HPP
#define ZARIMARK_TESTS_RANDOMUSERS_USERMODEL_HPP

#include <string>
#include <vector>

#include "RandomProject.hpp"

namespace RandomUsers {

// What the random user knows of the scenario being written, enough to write steps the reader
// accepts. Which elements are alive is the host's matter: actions name elements by a pick among
// the live ones of a kind, resolved when the step is played (undo and the add-on create and
// delete elements the user cannot foresee).
struct UserModel {
    Json project;
    std::vector<std::string> apartmentIds; // every ID the project or a step has used
    int highestCategory = 1;
    int stories = 1;
    bool teamwork = false;
    int nextId = 1; // of the ids that steps declare: copies and placed labels
    int faults = 0;
    bool repeatingFault = false;
};

UserModel MakeUserModel(const Json& project);

} // namespace RandomUsers

#endif
