# Lays out, natively, a tree whose directory links form cycles, for the tests that run
# under Wine, which cannot make links itself:
#   base/index.lst, base/a/keep, base/b/deeper/report.txt.2,
#   base/a/to-base -> base, base/a/to-b -> base/b
# Variable: ROOT, the folder that receives base/.
file(REMOVE_RECURSE "${ROOT}")
foreach(file base/index.lst base/a/keep base/b/deeper/report.txt.2)
    file(WRITE "${ROOT}/${file}" "${file}\n")
endforeach()
file(CREATE_LINK "${ROOT}/base" "${ROOT}/base/a/to-base" SYMBOLIC)
file(CREATE_LINK "${ROOT}/base/b" "${ROOT}/base/a/to-b" SYMBOLIC)
