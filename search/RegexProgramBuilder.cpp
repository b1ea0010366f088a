#include "search/RegexProgramBuilder.h"

#include "search/RegexParser.h"
#include "search/RegexStartFilter.h"

#include <algorithm>
#include <new>
#include <unordered_map>
#include <vector>

namespace search {

namespace {

// 2 + one state per concatenation + two per repetition.
std::int32_t countStates(const RegexNode* root) {
    std::int32_t count = 2;
    std::vector<const RegexNode*> pending{root};
    while (!pending.empty()) {
        const RegexNode* node = pending.back();
        pending.pop_back();
        if (node == nullptr) {
            continue;
        }
        if (node->kind == RN_CONCAT) {
            count += 1;
        } else if (node->kind == RN_STAR || node->kind == RN_LAZYSTAR) {
            count += 2;
        }
        pending.push_back(node->left.get());
        pending.push_back(node->right.get());
    }
    return count;
}

// Which nodes can match the empty string along transitions that consume nothing. Anchors are
// not counted: inside a repetition's operand they never become transitions.
std::unordered_map<const RegexNode*, bool> nullableNodes(const RegexNode* root) {
    std::unordered_map<const RegexNode*, bool> nullable;
    std::vector<std::pair<const RegexNode*, bool>> pending{{root, false}};
    auto of = [&](const RegexNodePtr& child) { return child && nullable.at(child.get()); };
    while (!pending.empty()) {
        auto [node, childrenDone] = pending.back();
        pending.pop_back();
        if (node == nullptr) {
            continue;
        }
        if (!childrenDone) {
            pending.emplace_back(node, true);
            pending.emplace_back(node->left.get(), false);
            pending.emplace_back(node->right.get(), false);
            continue;
        }
        bool value = false;
        switch (node->kind) {
        case RN_EMPTY:
        case RN_GROUPOPEN:
        case RN_GROUPCLOSE:
        case RN_STAR:
        case RN_LAZYSTAR:
            value = true;
            break;
        case RN_CONCAT:
            value = of(node->left) && of(node->right);
            break;
        case RN_ALT:
            value = of(node->left) || of(node->right);
            break;
        default:
            value = false;
            break;
        }
        nullable[node] = value;
    }
    return nullable;
}

} // namespace

RegexProgramPtr RegexProgram::Compile(std::u16string_view pattern) {
    return Compile(pattern, RegexParser::kNodeBudget);
}

RegexProgramPtr RegexProgram::Compile(std::u16string_view pattern, std::size_t nodeBudget) {
    try {
        RegexParser parser(pattern, std::min(nodeBudget, RegexParser::kNodeBudget));
        if (!parser.parse()) {
            return nullptr;
        }
        RegexNodePtr root = parser.takeRoot();
        return RegexProgramBuilder::build(root.get(), parser.groupCount());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

RegexProgramBuilder::RegexProgramBuilder(std::int32_t stateCount)
    : heads_(static_cast<std::size_t>(stateCount), -1) {}

RegexProgramPtr RegexProgramBuilder::build(const RegexNode* root, std::int32_t groupCount) {
    RegexProgramBuilder builder(countStates(root));
    builder.buildTree(root);
    return builder.finish(groupCount);
}

void RegexProgramBuilder::add(std::int32_t from, RegexTransition transition) {
    links_.push_back({transition, heads_[from]});
    heads_[from] = static_cast<std::int32_t>(links_.size()) - 1;
}

void RegexProgramBuilder::addEpsilon(std::int32_t from, std::int32_t to, RegexNodeKind kind,
                                     std::int32_t group) {
    RegexTransition t;
    t.kind = kind;
    t.epsilon = true;
    t.group = group;
    t.target = to;
    add(from, t);
}

std::int32_t RegexProgramBuilder::internClass(const std::u16string& text) {
    auto [it, inserted] =
        classIndex_.try_emplace(text, static_cast<std::int32_t>(classTexts_.size()));
    if (inserted) {
        classTexts_.push_back(text);
    }
    return it->second;
}

void RegexProgramBuilder::buildTree(const RegexNode* root) {
    const auto nullable = nullableNodes(root);
    auto operandNullable = [&](const RegexNode* star) {
        return star->left && nullable.at(star->left.get());
    };
    // The recursive Build(node, from, to) run on an explicit stack. Tasks are popped in the
    // order the recursion would run them, so every state receives its transitions in the same
    // order and the head insertion gives the same try-order.
    struct Task {
        const RegexNode* node; // null with closeLazyStar set: the epsilons after a lazy operand
        std::int32_t from;
        std::int32_t to;
        bool closeLazyStar;
    };
    std::vector<Task> tasks{{root, RegexProgram::kStartState, RegexProgram::kFinalState, false}};
    while (!tasks.empty()) {
        const Task task = tasks.back();
        tasks.pop_back();
        if (task.closeLazyStar) {
            // from = c, to = the star's exit target: c+1 -> c, then c -> to.
            addEpsilon(task.from + 1, task.from);
            addEpsilon(task.from, task.to);
            continue;
        }
        const RegexNode* node = task.node;
        if (node == nullptr) {
            continue; // an absent operand adds nothing: no path leads through it
        }
        switch (node->kind) {
        case RN_CHAR: {
            RegexTransition t;
            t.kind = RN_CHAR;
            t.epsilon = false;
            t.ch = node->ch;
            t.target = task.to;
            add(task.from, t);
            break;
        }
        case RN_CLASS: {
            RegexTransition t;
            t.kind = RN_CLASS;
            t.epsilon = false;
            t.classIndex = internClass(node->classText);
            t.target = task.to;
            add(task.from, t);
            break;
        }
        case RN_LINESTART:
            if (task.from == RegexProgram::kStartState) {
                hasLineStart_ = true;
                addEpsilon(task.from, task.to, RN_LINESTART);
            }
            break;
        case RN_LINEEND:
            if (task.to == RegexProgram::kFinalState) {
                hasLineEnd_ = true;
                addEpsilon(task.from, task.to, RN_LINEEND);
            }
            break;
        case RN_CONCAT: {
            const std::int32_t c = nextFree_++;
            tasks.push_back({node->right.get(), c, task.to, false});
            tasks.push_back({node->left.get(), task.from, c, false});
            break;
        }
        case RN_ALT:
            tasks.push_back({node->right.get(), task.from, task.to, false});
            tasks.push_back({node->left.get(), task.from, task.to, false});
            break;
        case RN_STAR: {
            const std::int32_t c = nextFree_;
            nextFree_ += 2;
            addEpsilon(task.from, c);
            addEpsilon(c + 1, c);
            addEpsilon(c, task.to);
            tasks.push_back({node->left.get(), c, c + 1, false});
            if (operandNullable(node)) {
                emptyLoops_.push_back(c);
            }
            break;
        }
        case RN_LAZYSTAR: {
            const std::int32_t c = nextFree_;
            nextFree_ += 2;
            addEpsilon(task.from, c);
            tasks.push_back({nullptr, c, task.to, true});
            tasks.push_back({node->left.get(), c, c + 1, false});
            if (operandNullable(node)) {
                emptyLoops_.push_back(c);
            }
            break;
        }
        case RN_EMPTY:
            addEpsilon(task.from, task.to);
            break;
        case RN_GROUPOPEN:
        case RN_GROUPCLOSE:
            addEpsilon(task.from, task.to, node->kind, node->group);
            break;
        }
    }
}

RegexProgramPtr RegexProgramBuilder::finish(std::int32_t groupCount) {
    auto program = std::make_unique<RegexProgram>(RegexProgram::ConstructionKey());
    const std::size_t states = heads_.size();
    program->firstTransition_.reserve(states + 1);
    program->transitions_.reserve(links_.size());
    std::vector<std::int32_t> incoming(states, 0);
    for (std::size_t s = 0; s < states; ++s) {
        program->firstTransition_.push_back(
            static_cast<std::int32_t>(program->transitions_.size()));
        for (std::int32_t i = heads_[s]; i >= 0; i = links_[static_cast<std::size_t>(i)].next) {
            const RegexTransition& t = links_[static_cast<std::size_t>(i)].transition;
            program->transitions_.push_back(t);
            ++incoming[static_cast<std::size_t>(t.target)];
        }
    }
    program->firstTransition_.push_back(static_cast<std::int32_t>(program->transitions_.size()));
    program->stateFlags_.resize(states);
    for (std::size_t s = 0; s < states; ++s) {
        const int entries = incoming[s] + (s == RegexProgram::kStartState ? 1 : 0);
        program->stateFlags_[s] = entries > 1 ? RegexProgram::kJoin : 0;
    }
    for (std::int32_t loop : emptyLoops_) {
        program->stateFlags_[static_cast<std::size_t>(loop)] |= RegexProgram::kEmptyLoop;
    }
    program->hasEmptyLoops_ = !emptyLoops_.empty();
    program->classSets_.reserve(classTexts_.size());
    for (const auto& text : classTexts_) {
        program->classSets_.emplace_back(text);
    }
    program->classTexts_ = std::move(classTexts_);
    program->groupSlots_ = groupCount + 1;
    program->hasLineStart_ = hasLineStart_;
    program->hasLineEnd_ = hasLineEnd_;
    program->startFilters_[0] = std::make_unique<const RegexStartFilter>(*program, false);
    program->startFilters_[1] = std::make_unique<const RegexStartFilter>(*program, true);
    return program;
}

} // namespace search
