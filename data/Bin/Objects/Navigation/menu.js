(function () {
  var box = document.getElementById("$(L0)");
  if (!box) return;
  var button = box.querySelector("button");
  var list = box.querySelector("ul");
  function setOpen(open) {
    list.style.display = open ? "block" : "none";
    button.setAttribute("aria-expanded", open ? "true" : "false");
  }
  setOpen(false);
  button.addEventListener("click", function (e) {
    e.stopPropagation();
    setOpen(list.style.display === "none");
  });
  document.addEventListener("click", function () { setOpen(false); });
  document.addEventListener("keydown", function (e) { if (e.key === "Escape") setOpen(false); });
})();
