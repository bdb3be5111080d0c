(function () {
  var button = document.getElementById("$(L0)");
  if (button) button.addEventListener("click", function () { window.print(); });
})();
