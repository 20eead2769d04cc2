// ZarimarkResourceCompiler: turns resource sources (.grc, usually run through the C preprocessor
// first) into one resource module and, optionally, a C++ source embedding it.
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "ModuleImage.hpp"
#include "OutputFiles.hpp"
#include "ResourceParser.hpp"
#include "ResourceSet.hpp"

namespace {

constexpr int ExitSuccess = 0;
constexpr int ExitOutputFailed = 1;
constexpr int ExitBadInput = 2;

const char* const usage =
    "usage: ZarimarkResourceCompiler --output MODULE.rsm [--cpp SOURCE.cpp] [--cpp-header HEADER]\n"
    "                                [--cpp-namespace NAME] [--file-dir DIR] SOURCE.grc...\n";

struct Arguments {
    std::string output;
    std::string cppOutput;
    std::string cppHeader = "ResourceImage.hpp";
    std::string cppNamespace = "ZarimarkResourceImage";
    ResourceCompiler::CompileOptions options;
    std::vector<std::string> sources;
};

bool ParseArguments(int argc, char** argv, Arguments* arguments, std::string* error) {
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        std::string* value = nullptr;
        if (argument == "--output")
            value = &arguments->output;
        else if (argument == "--cpp")
            value = &arguments->cppOutput;
        else if (argument == "--cpp-header")
            value = &arguments->cppHeader;
        else if (argument == "--cpp-namespace")
            value = &arguments->cppNamespace;
        else if (argument == "--file-dir")
            value = &arguments->options.fileDir;
        else if (argument.size() > 1 && argument[0] == '-') {
            *error = "unknown option '" + argument + "'";
            return false;
        } else {
            arguments->sources.push_back(argument);
            continue;
        }
        if (++i == argc) {
            *error = "option '" + argument + "' needs a value";
            return false;
        }
        *value = argv[i];
    }
    if (arguments->output.empty() || arguments->sources.empty()) {
        *error = "an --output file and at least one source are required";
        return false;
    }
    return true;
}

bool ReadSource(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

ResourceCompiler::ResourceSet CompileSources(const Arguments& arguments) {
    ResourceCompiler::ResourceSet set;
    for (const std::string& path : arguments.sources) {
        std::string text;
        if (!ReadSource(path, &text))
            throw ResourceCompiler::CompileError({path, 0}, "cannot read the source file");
        for (ResourceCompiler::Resource& resource :
             ResourceCompiler::ParseResources(text, path, arguments.options))
            set.Add(std::move(resource));
    }
    set.CheckReferences();
    return set;
}

} // namespace

int main(int argc, char** argv) {
    Arguments arguments;
    std::string error;
    if (!ParseArguments(argc, argv, &arguments, &error)) {
        std::cerr << "ZarimarkResourceCompiler: " << error << "\n" << usage;
        return ExitBadInput;
    }
    std::vector<unsigned char> image;
    try {
        image = ResourceCompiler::BuildModuleImage(CompileSources(arguments).All());
    } catch (const ResourceCompiler::CompileError& failure) {
        std::cerr << failure.what() << "\n";
        return ExitBadInput;
    } catch (const std::exception& failure) {
        std::cerr << "ZarimarkResourceCompiler: " << failure.what() << "\n";
        return ExitBadInput;
    }
    std::vector<ResourceCompiler::OutputFile> outputs;
    outputs.push_back({arguments.output, std::string(image.begin(), image.end())});
    if (!arguments.cppOutput.empty())
        outputs.push_back({arguments.cppOutput, ResourceCompiler::BuildEmbeddingSource(
                                                    image, arguments.cppHeader, arguments.cppNamespace)});
    if (!ResourceCompiler::WriteAllOrNothing(outputs, &error)) {
        std::cerr << "ZarimarkResourceCompiler: " << error << "\n";
        return ExitOutputFailed;
    }
    return ExitSuccess;
}
